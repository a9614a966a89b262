/// The SVG images that the HTML pages of the manual can show: formulas and
/// figures point at files of an image folder that this program does not
/// write, so the pages show an image only when its file is there and the
/// formula's text or the figure's name otherwise.
#pragma once

#include <string>

/// The image folder of the HTML pages, relative to the pages (the
/// stylesheets' parameter imagedir).
extern const char* const manual_image_folder;

/// The names of the SVG files in `folder` as the stylesheet parameter
/// svg_images reads them: an XPath string literal "'|a.svg|b.svg|'" (just
/// "'|'" when the folder is not there). Names that the literal cannot hold
/// (with an apostrophe or a bar) are left out.
std::string svg_images_parameter(const std::string& folder);
