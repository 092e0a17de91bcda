#pragma once

// A child window of the main frame that holds edits not yet in the project's data: an input
// window's controls, a table editor's current cell. The main window asks the active child to
// store them before it saves, runs or closes, since a child inside the frame is not
// deactivated by the frame's own menus and buttons.
class TEditHost
{
public:
    virtual ~TEditHost() = default;

    // Stores the pending edits. False when an entry is refused: its message has been shown
    // and the window is active again with the entry in place.
    virtual bool StorePendingEdits() = 0;

protected:
    TEditHost() = default;
    TEditHost(const TEditHost&) = default;
    TEditHost& operator=(const TEditHost&) = default;
};
