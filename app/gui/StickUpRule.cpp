#include "StickUpRule.h"

#include "Exception.h"
#include "MessageSeam.h"
#include "PileRules.h"
#include "TDataEdit.h"

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
