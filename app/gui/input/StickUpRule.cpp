#include "input/StickUpRule.h"

#include "PileRules.h"
#include "entry/TDataEdit.h"
#include "seams/MessageSeam.h"
#include "support/Exception.h"

void ApplyStickUpRule(TDataEdit& edit)
{
    QObject::connect(&edit, &TDataEdit::Exited, &edit, [&edit] {
        long double value = 0;
        try {
            value = edit.Number();
        } catch (const EAssignError&) {
            return; // the edit's own check reports it
        }
        if (!StickUpIsRefused(value)) {
            return;
        }
        {
            TDataBoxReport report;
            ShowInformation(kStickUpMessage, edit.window());
        }
        edit.SetNumber(0);
        edit.setFocus(Qt::OtherFocusReason);
    });
}
