#pragma once
#include <string>

#include "TestFiles.h"

namespace orv::test {

// The bytes of a file in tests/fixtures.
inline std::string Fixture(const std::string& name) { return ReadBytes(ORVELLA_FIXTURES + name); }

}  // namespace orv::test
