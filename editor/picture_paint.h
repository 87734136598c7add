// The window's controller pictures are painted when they are first shown, not
// when the window is built: the start shows one page and one set of lights out
// of some fifty pictures, and painting them all is most of the start's time.
#pragma once

#include "common_ui/controller_art.h"
#include "editor/control_table.h"

#include <QLabel>

namespace editor {

// Gives `image` picture `index` of `set`, drawn at the label's size, the first
// time the label is shown.
void PaintWhenShown(QLabel* image, common_ui::art::PictureSet set, int index);

// The same for each member of a picture array, by its own index.
void PaintWhenShown(const ControlArray<QLabel>& images, common_ui::art::PictureSet set);

}  // namespace editor
