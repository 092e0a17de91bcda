#include "input/InputBindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "TProgramData.h"
#include "entry/DataValue.h"
#include "entry/TDataEdit.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

// ---- the set ----------------------------------------------------------------------------------

void TBindingSet::Load(TProgramData& data) const
{
    for (const auto& binding : m_bindings) {
        binding->Load(data);
    }
}

bool TBindingSet::Store(TProgramData& data) const
{
    for (const auto& binding : m_bindings) {
        binding->Read();
    }
    bool changed = false;
    for (const auto& binding : m_bindings) {
        binding->Store(data);
        changed = binding->Changed() || changed;
    }
    return changed;
}

// ---- numbers ----------------------------------------------------------------------------------

TNumberBinding::TNumberBinding(TDataEdit* edit, TGet get, TSet set)
    : m_edit(edit)
    , m_get(std::move(get))
    , m_set(std::move(set))
{}

TNumberBinding& TNumberBinding::Shown(std::function<long double(long double)> shown)
{
    m_shown = std::move(shown);
    return *this;
}

void TNumberBinding::Load(TProgramData& data)
{
    m_edit->SetUnits(data.UnitSystem);
    const long double value = m_get(data);
    const long double shown =
        ClampDataValue(m_shown ? m_shown(value) : value, m_edit->MinVal(), m_edit->MaxVal());
    m_edit->SetNumber(shown);
    m_baseText = m_edit->text();
    m_baseShown = shown;
    m_baseDiffers = !(shown == value);
}

void TNumberBinding::Read()
{
    m_entry.reset();
    if (m_edit->text() != m_baseText) {
        m_entry = m_edit->Number();
    } else if (m_baseDiffers) {
        m_entry = m_baseShown;
    }
}

void TNumberBinding::Store(TProgramData& data)
{
    if (m_entry) {
        m_set(data, *m_entry);
        m_baseShown = *m_entry;
        m_baseDiffers = false;
    }
    m_baseText = m_edit->text();
    m_entry.reset();
}

// ---- grid cells -------------------------------------------------------------------------------

TCellBinding::TCellBinding(TDataEdit* edit, TTableOf table, int col, int row)
    : m_edit(edit)
    , m_number(
          edit,
          [this, table, col, row](TProgramData&) {
              m_changed = false;
              TGridTable* t = table();
              return t != nullptr ? t->Cells(col, row).GetFloat() : 0.0L;
          },
          [this, table, col, row](TProgramData&, long double entry) {
              TGridTable* t = table();
              if (t != nullptr && !(t->Cells(col, row).GetFloat() == entry)) {
                  t->Cells(col, row).SetFloat(entry);
                  m_changed = true;
              }
          })
{}

TCellBinding::TCellBinding(TDataEdit* edit,
                           TTableOf table,
                           int col,
                           int row,
                           std::function<int(long double)> stored)
    : m_edit(edit)
    , m_number(
          edit,
          [this, table, col, row](TProgramData&) {
              m_changed = false;
              TGridTable* t = table();
              return t != nullptr ? static_cast<long double>(t->Cells(col, row).GetInteger())
                                  : 0.0L;
          },
          [this, table, col, row, stored](TProgramData&, long double entry) {
              TGridTable* t = table();
              const int value = stored(entry);
              if (t != nullptr && t->Cells(col, row).GetInteger() != value) {
                  t->Cells(col, row).SetInteger(value);
                  m_changed = true;
              }
          })
{}

// ---- check boxes ------------------------------------------------------------------------------

TCheckBinding::TCheckBinding(QAbstractButton* box,
                             TFieldOf<int> field,
                             int checkedCode,
                             int uncheckedCode)
    : m_box(box)
    , m_field(std::move(field))
    , m_checked(checkedCode)
    , m_unchecked(uncheckedCode)
{}

void TCheckBinding::Load(TProgramData& data)
{
    m_box->setChecked(m_field(data) == m_checked);
}

void TCheckBinding::Read()
{
    m_entry = m_box->isChecked() ? m_checked : m_unchecked;
}

void TCheckBinding::Store(TProgramData& data)
{
    m_field(data) = m_entry;
}

// ---- radio groups -----------------------------------------------------------------------------

TRadioBinding::TRadioBinding(TFieldOf<int> field, TButtons buttons, QAbstractButton* fallback)
    : m_field(std::move(field))
    , m_buttons(std::move(buttons))
    , m_fallback(fallback)
{}

void TRadioBinding::Check(int code) const
{
    QAbstractButton* checked = m_fallback;
    for (const auto& [button, buttonCode] : m_buttons) {
        if (buttonCode == code) {
            checked = button;
        }
    }
    // Exclusivity is lifted for a moment so that no button at all can be checked.
    std::vector<QButtonGroup*> groups;
    for (const auto& entry : m_buttons) {
        QButtonGroup* group = entry.first->group();
        if (group != nullptr && group->exclusive()) {
            group->setExclusive(false);
            groups.push_back(group);
        }
    }
    for (const auto& entry : m_buttons) {
        QAbstractButton* button = entry.first;
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(button == checked);
        button->setAutoExclusive(exclusive);
    }
    for (QButtonGroup* group : groups) {
        group->setExclusive(true);
    }
}

std::optional<int> TRadioBinding::Checked() const
{
    for (const auto& [button, code] : m_buttons) {
        if (button->isChecked()) {
            return code;
        }
    }
    return std::nullopt;
}

void TRadioBinding::Load(TProgramData& data)
{
    Check(m_field(data));
}

void TRadioBinding::Read()
{
    m_entry = Checked();
}

void TRadioBinding::Store(TProgramData& data)
{
    if (m_entry) {
        m_field(data) = *m_entry;
    }
}

// ---- texts ------------------------------------------------------------------------------------

TTextBinding::TTextBinding(QLineEdit* line, TFieldOf<std::string> field)
    : m_line(line)
    , m_field(std::move(field))
{}

TTextBinding::TTextBinding(QPlainTextEdit* memo, TFieldOf<std::string> field)
    : m_memo(memo)
    , m_field(std::move(field))
{}

QString TTextBinding::Text() const
{
    return m_line != nullptr ? m_line->text() : m_memo->toPlainText();
}

void TTextBinding::SetText(const QString& text)
{
    if (m_line != nullptr) {
        m_line->setText(text);
    } else {
        m_memo->setPlainText(text);
    }
}

void TTextBinding::Load(TProgramData& data)
{
    SetText(QString::fromStdString(m_field(data)));
    m_baseText = Text();
}

void TTextBinding::Read()
{
    m_entry.reset();
    if (Text() != m_baseText) {
        m_entry = Text().toStdString();
    }
}

void TTextBinding::Store(TProgramData& data)
{
    if (m_entry) {
        m_field(data) = *m_entry;
    }
    m_baseText = Text();
    m_entry.reset();
}
