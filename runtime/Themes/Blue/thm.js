// Blue theme for foldpanes.js: title bar images pcl/pc/pcr.gif, buttons cb.gif
// (collapse) and eb.gif (expand), body background panel.gif, and these colours.
var ZUB_Theme={
  titleHeight:24,
  buttonSize:16,
  titleColor:'#ffffff',
  titleBackground:'#2c5fae',
  bodyColor:'#1b2a3d',
  bodyBackground:'#f3f7fd',
  linkColor:'#1f55ad',
  borderColor:'#9bb6df',
  focusColor:'#ffb830'
};
