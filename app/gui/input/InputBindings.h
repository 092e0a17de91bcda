#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QString>

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class TDataEdit;
class TGridTable;
class TProgramData;

// Where a binding keeps its value: a field of the project's data, or one element of it.
template<typename T>
using TFieldOf = std::function<T&(TProgramData&)>;

template<typename T>
TFieldOf<T> Field(T TProgramData::*member)
{
    return [member](TProgramData& data) -> T& {
        return data.*member;
    };
}

// One control bound to one field of the project's data. An input window declares its
// bindings once; its base loads them all on activation and stores them all on leaving.
class TInputBinding
{
public:
    virtual ~TInputBinding() = default;
    // Shows the field in the control.
    virtual void Load(TProgramData& data) = 0;
    // Takes the control's entry; raises when it cannot be read. Nothing is stored yet, so a
    // window whose entries cannot all be read stores none of them.
    virtual void Read() = 0;
    // Stores what Read took.
    virtual void Store(TProgramData& data) = 0;
    // Whether a store since the last load changed a grid table's cell. A field of the
    // project's data that changed shows in the data themselves.
    virtual bool Changed() const { return false; }
};

// The bindings of a window (or of a grid in it), loaded and stored together in the order they
// were added.
class TBindingSet
{
public:
    template<typename Binding, typename... Args>
    Binding& Add(Args&&... args)
    {
        auto binding = std::make_unique<Binding>(std::forward<Args>(args)...);
        Binding& added = *binding;
        m_bindings.push_back(std::move(binding));
        return added;
    }
    void Clear() { m_bindings.clear(); }

    // Shows every field in its control.
    void Load(TProgramData& data) const;
    // Reads every entry first, raising when one cannot be read (nothing is stored then), then
    // stores them all. True when a binding changed a grid table's cell since the last load.
    bool Store(TProgramData& data) const;

private:
    std::vector<std::unique_ptr<TInputBinding>> m_bindings;
};

// A numeric edit. The edit's label names the project's units. A field is stored only when
// the edit's text changed since it was loaded or last stored: a number shown with 18 digits
// and read back would otherwise creep away from the value it shows. A value the edit could
// not show as it is (clamped to the edit's limits, or changed by Shown) is stored as shown.
class TNumberBinding final : public TInputBinding
{
public:
    using TGet = std::function<long double(TProgramData&)>;
    using TSet = std::function<void(TProgramData&, long double entry)>;

    TNumberBinding(TDataEdit* edit, TGet get, TSet set);

    // The value shown for the field's value (the field's value unless set).
    TNumberBinding& Shown(std::function<long double(long double)> shown);

    void Load(TProgramData& data) override;
    void Read() override;
    void Store(TProgramData& data) override;

private:
    TDataEdit* m_edit;
    TGet m_get;
    TSet m_set;
    std::function<long double(long double)> m_shown;
    QString m_baseText;          // the text as loaded or last stored
    long double m_baseShown = 0; // the value shown then
    bool m_baseDiffers = false;  // the shown value is not the field's
    std::optional<long double> m_entry;
};

// A numeric edit bound to one cell of a grid table (a floating-point column, or an integer
// column with `stored` turning the entry into the cell's value). The table is looked up at
// every load and store, since a row's sub-table is replaced when its type changes. Stored as
// a number binding is, only when the text changed; Changed tells whether a store changed the
// cell since the last load.
class TCellBinding final : public TInputBinding
{
public:
    using TTableOf = std::function<TGridTable*()>;

    TCellBinding(TDataEdit* edit, TTableOf table, int col, int row);
    TCellBinding(TDataEdit* edit,
                 TTableOf table,
                 int col,
                 int row,
                 std::function<int(long double)> stored);
    // The number binding inside refers back to this one.
    TCellBinding(const TCellBinding&) = delete;
    TCellBinding& operator=(const TCellBinding&) = delete;

    void Load(TProgramData& data) override { m_number.Load(data); }
    void Read() override { m_number.Read(); }
    void Store(TProgramData& data) override { m_number.Store(data); }
    bool Changed() const override { return m_changed; }
    TDataEdit* Edit() const { return m_edit; }

private:
    TDataEdit* m_edit;
    bool m_changed = false;
    TNumberBinding m_number;
};

// A check box (or any checkable button): checked exactly when the field holds the checked
// code; stores the checked or the unchecked code.
class TCheckBinding final : public TInputBinding
{
public:
    TCheckBinding(QAbstractButton* box, TFieldOf<int> field, int checkedCode, int uncheckedCode);
    void Load(TProgramData& data) override;
    void Read() override;
    void Store(TProgramData& data) override;

private:
    QAbstractButton* m_box;
    TFieldOf<int> m_field;
    int m_checked;
    int m_unchecked;
    int m_entry = 0;
};

// A group of radio buttons, each with the code it stands for. Loading checks the button of
// the field's code (the fallback, or none, for any other value); storing takes the checked
// button's code and leaves the field alone when none is checked.
class TRadioBinding final : public TInputBinding
{
public:
    using TButtons = std::vector<std::pair<QAbstractButton*, int>>;
    TRadioBinding(TFieldOf<int> field, TButtons buttons, QAbstractButton* fallback);
    void Load(TProgramData& data) override;
    void Read() override;
    void Store(TProgramData& data) override;

    // Checks the button of the code (the fallback, or none, for any other).
    void Check(int code) const;
    // The checked button's code, none when no button is checked.
    std::optional<int> Checked() const;

private:
    TFieldOf<int> m_field;
    TButtons m_buttons;
    QAbstractButton* m_fallback;
    std::optional<int> m_entry;
};

// A text edit (one line or a memo). Like a number, the text is stored only when the user
// changed it, so a text the edit cannot show byte for byte stays as it was.
class TTextBinding final : public TInputBinding
{
public:
    TTextBinding(QLineEdit* line, TFieldOf<std::string> field);
    TTextBinding(QPlainTextEdit* memo, TFieldOf<std::string> field);
    void Load(TProgramData& data) override;
    void Read() override;
    void Store(TProgramData& data) override;

private:
    QString Text() const;
    void SetText(const QString& text);

    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    TFieldOf<std::string> m_field;
    QString m_baseText;
    std::optional<std::string> m_entry;
};
