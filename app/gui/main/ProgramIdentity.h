#pragma once

// The program's name as the desktop knows it: "Quarn 2015", the title of the application
// (its message boxes, the window class). No display name is set: Qt would append it to every
// window's caption, and the main window's caption is the project's own.
void SetProgramIdentity();
