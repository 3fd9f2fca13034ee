// Dark theme for foldpanes.js: title bar images pcl/pc/pcr.gif, buttons cb.gif
// (collapse) and eb.gif (expand), body background panel.gif, and these colours.
var ZUB_Theme={
  titleHeight:24,
  buttonSize:16,
  titleColor:'#eeeeee',
  titleBackground:'#2a2c32',
  bodyColor:'#dcdcdc',
  bodyBackground:'#24262b',
  linkColor:'#8ab8ff',
  borderColor:'#141518',
  focusColor:'#7fb2ff'
};
