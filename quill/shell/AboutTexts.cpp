#include "quill/shell/AboutTexts.h"

namespace quill {

const std::vector<std::string>& AboutQuillLines() {
  static const std::vector<std::string> lines = {
      "Quill For Lounge 1.0",
      "Quill turns any picture into avatar props for the Lounge and lets you touch them up pixel by pixel.",
      "Quill is free software. You may use it, copy it and give it away, as long as you pass it on complete "
      "and unchanged and ask nothing for it.",
      "Disclaimer: Quill comes as it is, without any warranty. You use it at your own risk; the Quill "
      "developers are not liable for any loss or damage that may come from using it.",
      "Credits: written by the Quill developers, with thanks to everyone who tried the early versions and "
      "told us what to change.",
      "About us: the Quill developers are a few Lounge regulars who wanted a quicker way from a favourite "
      "picture to a finished avatar. News, updates and the source are on our home page.",
  };
  return lines;
}

const std::vector<std::string>& ImporterHelpLines() {
  static const std::vector<std::string> lines = {
      "The AV Importer/Editor has 4 functions. Load and resize an image. Select a RGB section to use. "
      "Adjust/Paletize it . Edit/Export it.",
      "LOAD - you may load any BMP, GIF, or JPG image into the left most image window.",
      "RESIZE - Choose one of the 4 resize modes, then move the resize slider or click one of the preset "
      "buttons beside it to scale the image.",
      "RGB SECTION - The middle window is updated automatically as you resize. Move it over the visible part "
      "of the left window with its sliders.",
      "ADJUSTMENTS - These work on the RGB section in real time, or on the right window when you preview. "
      "There are 6 dither modes.",
      "DITHER MODES - are used to convert the RGB section into a paletted image using the default lounge "
      "palette.",
      "If your export shows speckles, try several of the dither modes.",
      "BRIGHTNESS - Makes the RGB section lighter or darker.",
      "CONTRAST - Sharpens or blurs the RGB section. Sharpening may cause speckles.",
      "COLOR - The 3 color sliders can remove speckled pixels.",
      "FLIP RGB H and V - Will flip the RGB section horizontally or vertically. You can use both at the same "
      "time if you so desire.",
      "RESET - In the Adjustment section will set the controls to their defaults. In the image section will "
      "reload the image for you.",
      "CLIPBOARD > MAIN - Takes the picture on the clipboard into the left most image window.",
      "RGB < CLIPBOARD - Places the RGB section, not paletted, on the clipboard for other image editors.",
      "EDIT - Brings the paletted image into the AV Editor.",
      "EXPORT - will place the paletized image from the rightmost image window into the clipboard so that you "
      "can import it into lounge.",
      "With this ver you should not have to use Edit/Paste Multiple Props in the lounge client. Press Ctrl-P "
      "to see your AV in your props.",
  };
  return lines;
}

const std::vector<std::string>& EditorHelpLines() {
  static const std::vector<std::string> lines = {
      "The AV Editor takes the image from the AV Importer, or lets you draw one freehand, and exports it "
      "the same way the importer does.",
      "The left and right arrow buttons copy the image between the expanded view and the normal size view, "
      "so you can keep a version to go back to. The circular arrow resets the right image.",
      "All drawing is done on the expanded image, except with the magnifier.",
      "Left or right click the size indicator to change the brush size.",
      "The tools, clockwise from the upper left:",
      "DRAW - paints with the active color while you hold the left button down.",
      "PIXEL PAINTER - places one dot of the brush size where you let go of the button.",
      "FLOOD FILL - fills the area of one color under the pointer with the active color.",
      "RECTANGLE - drag to fill a rectangle with the active color.",
      "COPY - drag over an area to copy it.",
      "PASTE - places the copied area where you click.",
      "MAGNIFY - click an area to show it in the magnifier.",
      "GRAB COLOR - takes the color under the pointer. A right click does the same in the other modes.",
      "B/W PIXEL PAINTER - turns the cells under the brush into the nearest palette grey.",
      "BW RECTANGLE - drag over an area to turn it into palette greys.",
      "MAGNIFIER - the left button places the active color, the right button picks a color.",
  };
  return lines;
}

}  // namespace quill
