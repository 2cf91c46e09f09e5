// The X display and window that GLUT draws into, for the platform layer.
#pragma once

struct _XDisplay;

// Null when drawing is off or no window is current.
_XDisplay* currentXDisplay();
unsigned long currentXWindow();
