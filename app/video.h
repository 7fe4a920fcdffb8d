// app/video.h — the window and its OpenGL context.
#pragma once

// The fixed window caption, also shown on the pause menu's bottom panel.
extern const char* const WindowCaption;

// Opens the window and context and sets the global GL state; exits with 1 or 3 on failure.
void openGlWindow();
// openGlWindow, then writes the obtained mode back into settings.
void openVideo();
