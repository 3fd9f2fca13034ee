// Random sequences of panel and document commands, each step checked against a small model of
// the document written apart from the window's code. A failure names the seed, the step and
// every step before it, so that the sequence can be replayed.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Harness.h"
#include "ScriptFile.h"

namespace orv::test {
namespace {

const std::string kSep(1, '\x01');
const char* const kListNames[5] = {"PL", "PHL", "PIL", "PEL", "PDL"};

// The fields and their initial texts, in the order of the window's labels.
const std::pair<const char*, const char*> kDefaults[20] = {
    {"AL", "0"},
    {"AT", "0"},
    {"AW", "250"},
    {"AH", "1000"},
    {"ZI", "0"},
    {"LS", "10"},
    {"RS", "10"},
    {"TS", "15"},
    {"IL", "6"},
    {"IT", "6"},
    {"TL", "22"},
    {"TT", "5"},
    {"TFS", "<font face=\"Tahoma\" size=2><b>"},
    {"TFE", "</b></font>"},
    {"PTL", "5"},
    {"PTT", "5"},
    {"PFS", "<font face=Tahoma size=2>"},
    {"PFE", "</font>"},
    {"MS", "15"},
    {"TP", "zubtheme"},
};
constexpr size_t kThemePath = 19;

const std::array<std::string, 5> kNewPanel = {"New Panel", "200", "ico.gif", "1",
                                              "New Panel<br>" + kSep + "This is a new Panel"};

// Every height a step can meet, typed or read from a file, and whether OK takes it.
const std::map<std::string, bool> kHeights = {
    {"200", true},         {" 7", true},          {"$1F", true},          {"-0", true},
    {"0x1f", true},        {"X7fffffff", true},   {"+5", true},           {"2147483647", true},
    {"-2147483648", true}, {"  42", true},        {"$00000000ff", true},  {"10", true},
    {"0", true},           {"", false},           {" ", false},           {" 1 ", false},
    {"1.5", false},        {"2147483648", false}, {"-2147483649", false}, {"abc", false},
    {"+", false},          {"$", false},          {"0x", false},          {"12 ", false},
    {"$123456789", false}, {"1e3", false},        {"--1", false},         {"0x-1", false},
};

// One list box as the commands use it.
struct ListModel {
  std::vector<std::string> items;
  int sel = -1;

  int Count() const { return static_cast<int>(items.size()); }
  void Select(int i) { sel = i >= 0 && i < Count() ? i : -1; }
  void Put(int i, const std::string& text) {
    if (i < 0)
      items.push_back(text);
    else
      items[i] = text;
  }
  void Clear() {
    items.clear();
    sel = -1;
  }
  void Move(int to) {
    const std::string text = items[sel];
    items.erase(items.begin() + sel);
    items.insert(items.begin() + to, text);
    sel = to;
  }
  void MoveUp() {
    if (sel >= 0) Move(std::max(sel - 1, 0));
  }
  void MoveDown() {
    if (sel >= 0) Move(std::min(sel + 1, Count() - 1));
  }
  void Remove() {
    if (sel < 0) return;
    items.erase(items.begin() + sel);
    sel = std::min(sel, Count() - 1);
  }
};

// What a script file holds.
struct Content {
  std::array<std::vector<std::string>, 5> lists;
  std::array<std::string, 20> settings;
  std::string theme;
};

ScriptDocument DocumentOf(const Content& c) {
  ScriptDocument doc;
  std::array<PanelList*, 5> lists = doc.Lists();
  for (size_t k = 0; k < 5; ++k)
    for (const std::string& text : c.lists[k]) lists[k]->Append(text);
  for (size_t i = 0; i < 20; ++i) doc.Setting(kDefaults[i].first) = c.settings[i];
  doc.themes = {c.theme};
  doc.themeIndex = 0;
  return doc;
}

std::string Lower(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

std::string NamePart(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

std::string Show(const std::string& text) {
  std::string shown = "\"";
  for (unsigned char ch : text) {
    if (ch == 1)
      shown += "<SEP>";
    else if (ch == '\r')
      shown += "\\r";
    else if (ch == '\n')
      shown += "\\n";
    else
      shown += static_cast<char>(ch);
  }
  return shown + "\"";
}

std::string Show(const std::vector<std::string>& texts) {
  std::string shown = "[";
  for (const std::string& text : texts) shown += Show(text) + " ";
  return shown + "]";
}

// Raised by the model where the window's save must fail.
struct WriteFails {};

class ModelTest : public Designer {
 protected:
  struct Asked {
    std::string text, title;
    UINT type;
    bool prefixOnly;  // the system's part of the text is not the test's to predict
  };

  // The window as the rules say it must be.
  struct Model {
    std::array<ListModel, 5> lists;
    ListModel ids;  // which panel each row is, moved along with PL
    std::array<std::string, 20> settings;
    int theme = 0;
    std::string fileName;
    bool modified = false, adding = false, editorShown = false;
    std::string addedId;  // the panel Add appended, while adding
    std::string title, height, icons, memo;
    bool expanded = false;
  };

  void RunSequence(std::uint32_t seed, int steps, bool previewFolder);

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  std::string Word(int maxLength);
  std::string PickHeight() {
    auto it = kHeights.begin();
    std::advance(it, Pick(static_cast<int>(kHeights.size())));
    return it->first;
  }
  std::string MemoText();
  Content RandomContent();
  Content Current();
  std::string NewId() { return std::to_string(nextId_++); }

  // The model's side of each command; questions and file answers are queued for the window as
  // the model meets them.
  int Ask(const std::string& text, const std::string& title, UINT type, int answer);
  std::optional<std::string> Choose(bool save, std::optional<std::string> answer);
  bool ModelConfirm();
  void ModelSave();
  void ModelSaveAs();
  void ModelWrite(const std::string& path);
  void ModelOpen();
  void ModelNew();
  void ModelPreview();
  void ModelEdit();
  void ModelOK();
  void ModelCancel();
  void ModelSelect(int index);
  template <class F>
  void AllLists(F f) {
    for (ListModel& list : m_.lists) f(list);
    f(m_.ids);
  }
  void LoadContent(const Content& c, const std::string& path);

  // One random step: the model first, then the same on the window.
  void Step();
  std::string Mismatch();

  std::mt19937 rng_;
  Model m_;
  int nextId_ = 0;
  std::vector<Asked> asked_;
  std::vector<bool> fileDialogs_;  // save dialog or open dialog
  std::vector<std::string> shellOpens_;
  std::vector<std::pair<std::string, Content>> written_;
  std::map<std::string, std::pair<std::string, Content>> saved_;  // by lower-case path
  std::optional<std::string> focus_;
  std::string step_;
  bool closed_ = false;
  int filesMade_ = 0;
};

std::string ModelTest::Word(int maxLength) {
  static const std::string chars = "abcXYZ019 '\\\"<>&-";
  std::string word;
  for (int n = Pick(maxLength + 1); n > 0; --n) word += chars[Pick(static_cast<int>(chars.size()))];
  return word;
}

std::string ModelTest::MemoText() {
  std::string memo;
  const int lines = Pick(4);
  for (int i = 0; i < lines; ++i) memo += (i ? "\r\n" : "") + Word(6);
  if (Chance(50)) memo += "\r\n";
  return memo;
}

Content ModelTest::RandomContent() {
  Content c;
  for (int n = Pick(16); n > 0; --n) {
    c.lists[0].push_back(Word(10));
    c.lists[1].push_back(PickHeight());
    c.lists[2].push_back(Word(6));
    static const char* const flags[] = {"1", "0", "yes", ""};
    c.lists[3].push_back(flags[Pick(4)]);
    std::string data;
    for (int p = Pick(4); p > 0; --p) data += (data.empty() && Chance(70) ? "" : kSep) + Word(6);
    c.lists[4].push_back(data);
  }
  for (size_t i = 0; i < 20; ++i) {
    c.settings[i] = kDefaults[i].second;
    if (Chance(20)) c.settings[i] = "v" + std::to_string(Pick(1000));
  }
  const std::vector<std::string>& themes = Doc().themes;
  const int which = Pick(static_cast<int>(themes.size()) + 2);
  if (which < static_cast<int>(themes.size()))
    c.theme = Chance(50) ? themes[which] : Lower(themes[which]);
  else
    c.theme = which == static_cast<int>(themes.size()) ? "Nowhere" : "";
  return c;
}

Content ModelTest::Current() {
  Content c;
  for (size_t k = 0; k < 5; ++k) c.lists[k] = m_.lists[k].items;
  c.settings = m_.settings;
  c.theme = m_.theme >= 0 ? Doc().themes[m_.theme] : "";
  return c;
}

int ModelTest::Ask(const std::string& text, const std::string& title, UINT type, int answer) {
  asked_.push_back({text, title, type, false});
  dialogs_.answers.push_back(answer);
  step_ += " [" + title + "->" + std::to_string(answer) + "]";
  return answer;
}

std::optional<std::string> ModelTest::Choose(bool save, std::optional<std::string> answer) {
  fileDialogs_.push_back(save);
  dialogs_.files.push_back(answer);
  step_ += std::string(" [") + (save ? "SD" : "OD") + ":" + (answer ? *answer : "cancel") + "]";
  return answer;
}

bool ModelTest::ModelConfirm() {
  if (!m_.modified) return false;
  static const int answers[] = {IDYES, IDNO, IDCANCEL};
  const int answer =
      Ask("Save changes?", "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION, answers[Pick(3)]);
  if (answer == IDNO) return false;
  if (answer == IDCANCEL) return true;
  ModelSave();
  return m_.modified;
}

void ModelTest::ModelWrite(const std::string& path) {
  const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
  if (!Exists(folder)) {
    asked_.push_back(
        {"Cannot create file \"" + path + "\". ", "Orvella", MB_OK | MB_ICONERROR, true});
    throw WriteFails{};
  }
  written_.push_back({path, Current()});
  saved_[Lower(path)] = {path, Current()};
  m_.modified = false;
}

void ModelTest::ModelSave() {
  if (m_.fileName.empty()) return ModelSaveAs();
  ModelWrite(m_.fileName);
}

void ModelTest::ModelSaveAs() {
  static const char* const names[] = {
      "a", "b.js", "B.JS", "c.txt", "d.Js", "e.js.bak", "nofolder-x\\f.js"};
  std::string path;
  for (int round = 0;; ++round) {
    std::optional<std::string> chosen;
    if (!Chance(15)) chosen = folder_ / names[Pick(7)];
    if (!Choose(true, chosen)) return;
    path = *chosen;
    const std::string name = NamePart(path);
    const size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    for (char& ch : extension) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (extension != ".JS") path += ".js";
    if (!Exists(path)) break;
    const int answer = round < 2 && Chance(40) ? IDNO : Chance(85) ? IDYES : IDCANCEL;
    if (Ask(path + " already exists.\rDo you want to replace it?", "Warning",
            MB_YESNO | MB_ICONWARNING, answer) != IDNO)
      break;
  }
  m_.fileName = path;
  ModelSave();
}

void ModelTest::LoadContent(const Content& c, const std::string& path) {
  for (size_t k = 0; k < 5; ++k) m_.lists[k] = {c.lists[k], -1};
  m_.ids = {{}, -1};
  for (size_t i = 0; i < c.lists[0].size(); ++i) m_.ids.items.push_back(NewId());
  m_.settings = c.settings;
  m_.theme = -1;
  const std::vector<std::string>& themes = Doc().themes;
  for (size_t t = 0; t < themes.size() && m_.theme < 0; ++t)
    if (Lower(themes[t]) == Lower(c.theme)) m_.theme = static_cast<int>(t);
  m_.fileName = path;
  m_.modified = false;
}

void ModelTest::ModelOpen() {
  if (ModelConfirm()) return;
  const int kind = Pick(10);
  if (kind == 0) {
    Choose(false, std::nullopt);
  } else if (kind == 1) {
    // A script file cut short: the document stays whole as it was.
    const std::string whole = ComposeScriptFile(DocumentOf(RandomContent()));
    const int lines = Pick(26);
    size_t end = 0;
    for (int n = 0; n < lines; ++n) end = whole.find("\r\n", end) + 2;
    const std::string path = folder_ / ("short" + std::to_string(filesMade_++) + ".js");
    WriteBytes(path, whole.substr(0, end));
    Choose(false, path);
    asked_.push_back({"List index out of bounds (" + std::to_string(lines) + ")", "Orvella",
                      MB_OK | MB_ICONERROR, false});
  } else if (kind <= 4 && !saved_.empty()) {
    auto it = saved_.begin();
    std::advance(it, Pick(static_cast<int>(saved_.size())));
    const auto [path, content] = it->second;
    Choose(false, path);
    LoadContent(content, path);
  } else {
    const Content content = RandomContent();
    const std::string path = folder_ / ("in" + std::to_string(filesMade_++) + ".js");
    WriteScriptFile(DocumentOf(content), path);
    Choose(false, path);
    LoadContent(content, path);
  }
}

void ModelTest::ModelNew() {
  if (ModelConfirm()) return;
  LoadContent(Content{}, "");
  for (size_t i = 0; i < 20; ++i) m_.settings[i] = kDefaults[i].second;
  m_.theme = Doc().themes.empty() ? -1 : 0;
}

void ModelTest::ModelPreview() {
  const bool modified = m_.modified;
  const std::string fileName = m_.fileName;
  m_.fileName = folder_ / "Preview\\prv.js";
  try {
    ModelSave();
  } catch (const WriteFails&) {
    m_.modified = modified;
    m_.fileName = fileName;
    throw;
  }
  m_.modified = modified;
  m_.fileName = fileName;
  shellOpens_.push_back(folder_ / "Preview|prv.html");
}

void ModelTest::ModelEdit() {
  const int i = m_.lists[0].sel;
  if (i < 0) return;
  m_.title = m_.lists[0].items[i];
  m_.height = m_.lists[1].items[i];
  m_.icons = m_.lists[2].items[i];
  m_.expanded = m_.lists[3].items[i] == "1";
  m_.memo.clear();
  std::string rest = m_.lists[4].items[i];
  for (size_t at; (at = rest.find(kSep)) != std::string::npos; rest.erase(0, at + 1))
    m_.memo += rest.substr(0, at) + "\r\n";
  m_.memo += rest + "\r\n";
  m_.editorShown = true;
  focus_ = "PT";
}

void ModelTest::ModelOK() {
  const auto height = kHeights.find(m_.height);
  if (height == kHeights.end()) ADD_FAILURE() << "no rule for height " << Show(m_.height);
  if (height == kHeights.end() || !height->second) {
    Ask("'" + m_.height + "' is not a valid integer value", "Error", MB_OK | MB_ICONERROR, IDOK);
    focus_ = "PH";
    return;
  }
  m_.adding = false;
  m_.addedId.clear();
  std::string memo = m_.memo;
  if (memo.ends_with("\r\n")) memo.resize(memo.size() - 2);
  std::string data;
  for (size_t i = 0; i < memo.size(); ++i) {
    if (memo.compare(i, 2, "\r\n") == 0) {
      data += kSep;
      ++i;
    } else {
      data += memo[i];
    }
  }
  const std::array<std::string, 5> texts = {m_.title, m_.height, m_.icons, m_.expanded ? "1" : "0",
                                            data};
  const int at = m_.lists[0].sel;
  for (size_t k = 0; k < 5; ++k) m_.lists[k].Put(m_.lists[0].sel, texts[k]);
  m_.ids.Put(at, at < 0 ? NewId() : m_.ids.items[at]);
  m_.editorShown = false;
  m_.modified = true;
}

void ModelTest::ModelCancel() {
  m_.editorShown = false;
  if (m_.adding) {
    const auto added = std::find(m_.ids.items.begin(), m_.ids.items.end(), m_.addedId);
    if (added != m_.ids.items.end()) {
      const int at = static_cast<int>(added - m_.ids.items.begin());
      AllLists([&](ListModel& list) { list.Select(at); });
      AllLists([](ListModel& list) { list.Remove(); });
    }
    m_.modified = true;
  }
  m_.adding = false;
  m_.addedId.clear();
}

void ModelTest::ModelSelect(int index) {
  // The user's change of PL's selection, copied to the other lists.
  AllLists([&](ListModel& list) { list.Select(index); });
}

void ModelTest::Step() {
  const int count = m_.lists[0].Count();
  const bool shown = m_.editorShown;
  struct Choice {
    const char* name;
    int weight;
  };
  const std::vector<Choice> choices = {
      {"Add", count < 5    ? 10
              : count > 20 ? 2
                           : 7},
      {"Edit", 6},
      {"Remove", count > 20 ? 12 : 4},
      {"Clear", 1},
      {"MoveUp", 6},
      {"MoveDown", 6},
      {"ClickTitle", shown || count == 0 ? 0 : 14},
      {"KeySelect", count == 0 ? 0 : 10},
      {"OK", shown ? 10 : 0},
      {"Cancel", shown ? 4 : 0},
      {"EditorField", shown ? 16 : 0},
      {"KeysWhileClosed", shown ? 0 : 1},
      {"New", 2},
      {"Open", 3},
      {"Save", 3},
      {"SaveAs", 3},
      {"Preview", 2},
      {"CloseRefused", m_.modified ? 1 : 0},
      {"Setting", 3},
      {"Theme", m_.theme >= 0 && Doc().themes.size() > 1 ? 1 : 0},
  };
  int total = 0;
  for (const Choice& c : choices) total += c.weight;
  int roll = Pick(total);
  std::string name;
  for (const Choice& c : choices) {
    if (roll < c.weight) {
      name = c.name;
      break;
    }
    roll -= c.weight;
  }
  step_ = name;

  // Model, then the window; a save the model knows must fail ends the model's command.
  try {
    if (name == "Add" || name == "Edit" || name == "Remove" || name == "Clear" ||
        name == "MoveUp" || name == "MoveDown") {
      if (name == "Add") {
        const std::string id = NewId();
        for (size_t k = 0; k < 5; ++k) {
          m_.lists[k].items.push_back(kNewPanel[k]);
          m_.lists[k].Select(m_.lists[k].Count() - 1);
        }
        m_.ids.items.push_back(id);
        m_.ids.Select(m_.ids.Count() - 1);
        m_.adding = true;
        m_.addedId = id;
        ModelEdit();
      } else if (name == "Edit") {
        ModelEdit();
      } else {
        if (name == "Remove") AllLists([](ListModel& list) { list.Remove(); });
        if (name == "Clear") AllLists([](ListModel& list) { list.Clear(); });
        if (name == "MoveUp") AllLists([](ListModel& list) { list.MoveUp(); });
        if (name == "MoveDown") AllLists([](ListModel& list) { list.MoveDown(); });
        m_.modified = true;
      }
      Click(name.c_str());
    } else if (name == "ClickTitle") {
      const int index = Pick(count);
      step_ += " " + std::to_string(index);
      ModelSelect(index);
      // Scrolled into view first, as the user would.
      SendMessageA(C("PL"), LB_SETTOPINDEX, index, 0);
      ClickTitle(index);
    } else if (name == "KeySelect") {
      const int sel = m_.lists[0].sel;
      static const WPARAM keys[] = {VK_HOME, VK_END, VK_UP, VK_DOWN};
      static const char* const keyNames[] = {"Home", "End", "Up", "Down"};
      const int key = Pick(4);
      step_ += std::string(" ") + keyNames[key];
      Focus("PL");
      Key(keys[key]);
      if (sel < 0) {
        // Without a selection the list box starts from its caret, which is the platform's
        // business: the title list says where the user went, the rule is that the other
        // four follow it.
        const int to = ShownSelection(C("PL"));
        step_ += " -> " + std::to_string(to);
        if (to >= count) ADD_FAILURE() << "title list selected " << to << " of " << count;
        ModelSelect(to);
      } else {
        ModelSelect(key == 0   ? 0
                    : key == 1 ? count - 1
                    : key == 2 ? std::max(sel - 1, 0)
                               : std::min(sel + 1, count - 1));
      }
    } else if (name == "OK" || name == "Cancel") {
      const bool byKey = Chance(25);
      static const char* const fields[] = {"PT", "PI", "PH"};
      const char* field = fields[Pick(3)];
      if (name == "OK")
        ModelOK();
      else
        ModelCancel();
      if (byKey) {
        step_ += std::string(" by key in ") + field;
        Focus(field);
        Key(name == "OK" ? VK_RETURN : VK_ESCAPE);
      } else {
        Click(name.c_str());
      }
    } else if (name == "EditorField") {
      switch (Pick(5)) {
        case 0:
          m_.title = Word(10);
          step_ += " PT=" + Show(m_.title);
          Type("PT", m_.title);
          break;
        case 1:
          m_.height = PickHeight();
          step_ += " PH=" + Show(m_.height);
          Type("PH", m_.height);
          break;
        case 2:
          m_.icons = Word(6);
          step_ += " PI=" + Show(m_.icons);
          Type("PI", m_.icons);
          break;
        case 3:
          m_.expanded = !m_.expanded;
          step_ += " PE toggled";
          Click("PE");
          break;
        default:
          m_.memo = MemoText();
          step_ += " PD=" + Show(m_.memo);
          Type("PD", m_.memo);
          break;
      }
    } else if (name == "KeysWhileClosed") {
      Focus("AL");
      Key(VK_RETURN);
      Key(VK_ESCAPE);
    } else if (name == "Setting") {
      const int i = Pick(20);
      std::string text = "v" + std::to_string(Pick(100));
      if (text == m_.settings[i]) text += "x";
      step_ += std::string(" ") + kDefaults[i].first + "=" + text;
      m_.settings[i] = text;
      m_.modified = true;
      Type(kDefaults[i].first, text);
    } else if (name == "Theme") {
      const bool down = m_.theme + 1 < static_cast<int>(Doc().themes.size());
      m_.theme += down ? 1 : -1;
      m_.modified = true;
      step_ += down ? " Down" : " Up";
      Focus("Th");
      Key(down ? VK_DOWN : VK_UP);
    } else if (name == "CloseRefused") {
      // Only answers that keep the window open: a closed window ends the sequence.
      if (m_.fileName.empty() && Chance(50)) {
        Ask("Save changes?", "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION, IDYES);
        Choose(true, std::nullopt);
      } else {
        Ask("Save changes?", "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL);
      }
      SendMessageA(Form().Handle(), WM_CLOSE, 0, 0);
      Pump();
    } else {
      try {
        if (name == "New") ModelNew();
        if (name == "Open") ModelOpen();
        if (name == "Save") ModelSave();
        if (name == "SaveAs") ModelSaveAs();
        if (name == "Preview") ModelPreview();
      } catch (const WriteFails&) {
        step_ += " (write fails)";
      }
      Click(name == "SaveAs" ? "saveas" : name.c_str());
    }
  } catch (const WriteFails&) {
    step_ += " (write fails)";
  }
}

std::string ModelTest::Mismatch() {
  std::ostringstream out;
  // The questions and file dialogs of this step, in order.
  const auto& got = dialogs_.questions;
  for (size_t i = 0; i < std::max(got.size(), asked_.size()); ++i) {
    if (i >= got.size()) {
      out << "not asked: " << Show(asked_[i].text) << " (" << asked_[i].title << ")\n";
    } else if (i >= asked_.size()) {
      out << "asked unexpectedly: " << Show(got[i].text) << " (" << got[i].title << ")\n";
    } else {
      const Asked& want = asked_[i];
      const bool textOK = want.prefixOnly
                              ? got[i].text.rfind(want.text, 0) == 0 && got[i].text.back() == '.' &&
                                    got[i].text.size() > want.text.size()
                              : got[i].text == want.text;
      if (!textOK || got[i].title != want.title || got[i].type != want.type)
        out << "question " << i << ": " << Show(got[i].text) << " (" << got[i].title << ", "
            << got[i].type << ") expected " << Show(want.text) << (want.prefixOnly ? "..." : "")
            << " (" << want.title << ", " << want.type << ")\n";
    }
  }
  std::vector<bool> kinds;
  for (const ui::FileDialog& d : dialogs_.fileDialogs) kinds.push_back(d.save);
  if (kinds != fileDialogs_) out << "file dialogs differ in number or kind\n";
  if (!dialogs_.answers.empty() || !dialogs_.files.empty()) out << "answers left unused\n";
  if (dialogs_.shellOpened != shellOpens_)
    out << "shell opened " << Show(dialogs_.shellOpened) << " expected " << Show(shellOpens_)
        << "\n";
  for (const auto& [path, content] : written_) {
    if (ReadBytes(path) != ComposeScriptFile(DocumentOf(content)))
      out << "file " << path << " does not hold the document\n";
    // The theme folder is deployed beside every file written.
    const std::string themeFolder =
        path.substr(0, path.find_last_of('\\') + 1) + content.settings[kThemePath];
    if (!Exists(themeFolder)) out << "no theme folder " << themeFolder << "\n";
  }
  if (closed_) return out.str();

  auto lists = Doc().Lists();
  for (size_t k = 0; k < 5; ++k) {
    const ListModel& want = m_.lists[k];
    if (lists[k]->Items() != want.items)
      out << kListNames[k] << " " << Show(lists[k]->Items()) << " expected " << Show(want.items)
          << "\n";
    if (lists[k]->Selected() != want.sel)
      out << kListNames[k] << " selected " << lists[k]->Selected() << " expected " << want.sel
          << "\n";
  }
  // The title list shows PL; filling and changing it holds back its painting, not its showing.
  HWND box = C("PL");
  if (ShownTexts(box) != m_.lists[0].items) out << "PL control " << Show(ShownTexts(box)) << "\n";
  if (ShownSelection(box) != m_.lists[0].sel)
    out << "PL control selected " << ShownSelection(box) << "\n";
  if (!IsWindowVisible(box)) out << "PL hidden\n";
  for (size_t i = 0; i < 20; ++i) {
    const char* field = kDefaults[i].first;
    if (Doc().Setting(field) != m_.settings[i] || Text(field) != m_.settings[i])
      out << field << " " << Show(Doc().Setting(field)) << " shown " << Show(Text(field))
          << " expected " << Show(m_.settings[i]) << "\n";
  }
  const LRESULT theme = SendMessageA(C("Th"), CB_GETCURSEL, 0, 0);
  if (Doc().themeIndex != m_.theme || (theme == CB_ERR ? -1 : static_cast<int>(theme)) != m_.theme)
    out << "theme " << Doc().themeIndex << " shown " << theme << " expected " << m_.theme << "\n";
  if (Doc().fileName != m_.fileName)
    out << "FileName " << Show(Doc().fileName) << " expected " << Show(m_.fileName) << "\n";
  const std::string caption =
      "Orvella - " + (m_.fileName.empty() ? "New Script" : NamePart(m_.fileName));
  if (ui::WindowText(Form().Handle()) != caption)
    out << "caption " << Show(ui::WindowText(Form().Handle())) << " expected " << Show(caption)
        << "\n";
  if (Doc().modified != m_.modified)
    out << "Modified " << Doc().modified << " expected " << m_.modified << "\n";
  if (Doc().addingPanel != m_.adding)
    out << "AddingPanel " << Doc().addingPanel << " expected " << m_.adding << "\n";
  if (Form().EditorShown() != m_.editorShown || (IsWindowVisible(C("AP")) != 0) != m_.editorShown)
    out << "editor shown " << Form().EditorShown() << " expected " << m_.editorShown << "\n";
  if (m_.editorShown) {
    const bool checked = SendMessageA(C("PE"), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Text("PT") != m_.title || Text("PH") != m_.height || Text("PI") != m_.icons ||
        checked != m_.expanded || Text("PD") != m_.memo)
      out << "editor holds " << Show(Text("PT")) << " " << Show(Text("PH")) << " "
          << Show(Text("PI")) << " " << checked << " " << Show(Text("PD")) << " expected "
          << Show(m_.title) << " " << Show(m_.height) << " " << Show(m_.icons) << " " << m_.expanded
          << " " << Show(m_.memo) << "\n";
  }
  if (focus_ && FocusName() != *focus_)
    out << "focus on " << FocusName() << " expected " << *focus_ << "\n";
  return out.str();
}

std::string TestName() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(test->test_suite_name()) + "." + test->name();
}

void ModelTest::RunSequence(std::uint32_t seed, int steps, bool previewFolder) {
  rng_.seed(seed);
  if (previewFolder) MakeFolder(folder_ / "Preview");
  Start();
  for (size_t i = 0; i < 20; ++i) m_.settings[i] = kDefaults[i].second;
  m_.theme = Doc().themes.empty() ? -1 : 0;
  std::vector<std::string> history;
  auto begin = [&] {
    dialogs_.questions.clear();
    dialogs_.fileDialogs.clear();
    dialogs_.shellOpened.clear();
    asked_.clear();
    fileDialogs_.clear();
    shellOpens_.clear();
    written_.clear();
    focus_.reset();
  };
  auto check = [&](int n) {
    const std::string mismatch = Mismatch();
    if (mismatch.empty()) return true;
    std::ostringstream trail;
    for (const std::string& line : history) trail << "  " << line << "\n";
    // The seed replays the same steps: run this test alone to see them again.
    ADD_FAILURE() << "seed " << seed << ", step " << n << ": " << history.back() << "\n"
                  << mismatch << "replay: --gtest_filter=" << TestName() << "\nsteps so far:\n"
                  << trail.str();
    return false;
  };
  for (int n = 1; n <= steps; ++n) {
    begin();
    Step();
    history.push_back(std::to_string(n) + ": " + step_);
    if (!check(n)) return;
  }
  // Closing ends every sequence, with whatever answers the model picks.
  begin();
  step_ = "Close";
  bool stays = false;
  try {
    stays = ModelConfirm();
  } catch (const WriteFails&) {
    stays = true;
    step_ += " (write fails)";
  }
  HWND window = Form().Handle();
  SendMessageA(window, WM_CLOSE, 0, 0);
  Pump();
  history.push_back(std::to_string(steps + 1) + ": " + step_);
  closed_ = !stays;
  if (!check(steps + 1)) return;
  if ((IsWindow(window) != 0) != stays) {
    ADD_FAILURE() << "seed " << seed << ": the window " << (stays ? "closed" : "stayed open");
  }
}

// Odd seeds have a Preview folder in the program folder, even ones do not, so that Preview
// both writes and fails.
class RandomCommands : public ModelTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(RandomCommands, Seed) { RunSequence(GetParam(), 600, GetParam() % 2 == 1); }
INSTANTIATE_TEST_SUITE_P(ModelTest, RandomCommands, ::testing::Range<std::uint32_t>(1, 11));

}  // namespace
}  // namespace orv::test
