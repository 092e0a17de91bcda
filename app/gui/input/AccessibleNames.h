#pragma once

class QWidget;

// Names every control under the window for accessibility without fixing a name that follows a
// caption: a button, label or group keeps the name its caption gives it, a numeric edit names
// itself by its field and units, another entry takes the label before it as its buddy (and so
// its name); only a control that takes the focus and that nothing names gets its component
// name, containers none.
void NameForAccessibility(QWidget& root);

class QAbstractItemView;

// A grid whose cells hold controls (buttons, lists, edits over the cells) shows them to a
// screen reader: it is exposed as a group of its controls, each with its own name, where the
// item view's own interface lists only the texts of its cells, empty under the controls.
void ExposeCellControls(QAbstractItemView& grid);
