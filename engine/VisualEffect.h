#pragma once
// The search animation, shown by our visual-effect program: a window above
// all others that the mouse goes through. Showing starts the program when it
// is not running yet; when it cannot start, nothing is shown and nothing said.
#include <QString>

namespace VisualEffect {

// Shows the picture at that screen position.
void ShowVisualEffect(const QString& picture, int x, int y);
// The text shown with it.
void SetVisualEffectText(const QString& text);
// Ends the animation, and the program; nothing when it is not running.
void CloseVisualEffect();

}  // namespace VisualEffect
