#pragma once
// Display-mode changes around a run.

// Tests a display mode and, when apply is true and the test passed, switches
// to it; a refused test is shown to the user when apply is true. Answers the
// platform's DisplayChange code (0 success, 1 restart, -1 failed, -2 bad mode).
// TForm19::ChangeResolEcran is this.
int ChangeResolEcran(int width, int height, bool apply, int bitsPerPixel);
// The same for the refresh rate of the mode in use, in hertz.
// TForm19::ChangeFreqEcran is this.
int ChangeFreqEcran(int hertz, bool apply);
// Restore false: switches to the mode the options name ("Pas de changement":
// none). Restore true: back to the start-up mode, when the options ask for it.
void ChangeScreenResolution(bool restore);
// The mode in use when the program started.
void RememberStartupDisplayMode();
