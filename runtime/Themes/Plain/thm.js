// Plain theme for foldpanes.js: title bar images pcl/pc/pcr.gif, buttons cb.gif
// (collapse) and eb.gif (expand), body background panel.gif, and these colours.
var ZUB_Theme={
  titleHeight:24,
  buttonSize:16,
  titleColor:'#222222',
  titleBackground:'#e2e2e2',
  bodyColor:'#222222',
  bodyBackground:'#ffffff',
  linkColor:'#1a56c4',
  borderColor:'#c6c6c6',
  focusColor:'#1a73e8'
};
