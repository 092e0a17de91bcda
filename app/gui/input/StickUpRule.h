#pragma once

class TDataEdit;

// The stick-up edit of the pile windows: when the user leaves it with a number below 0, the
// message says so, the edit shows 0 and keeps the focus. Zero passes silently.
void ApplyStickUpRule(TDataEdit& edit);
