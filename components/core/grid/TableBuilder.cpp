#include "grid/TableBuilder.h"

#include "grid/TColumnTypes.h"
#include "support/Helpers.h"

TableBuilder::TableBuilder(std::string caption)
    : m_caption(std::move(caption))
{}

TableBuilder& TableBuilder::Identifier(int identifier)
{
    m_identifier = identifier;
    return *this;
}

TableBuilder& TableBuilder::Rows(int minRows, int maxRows)
{
    m_minRows = minRows;
    m_maxRows = maxRows;
    return *this;
}

TableBuilder& TableBuilder::RowGroup(int rowGroup)
{
    m_rowGroup = rowGroup;
    return *this;
}

TableBuilder& TableBuilder::TopLeft(std::string text)
{
    m_topLeft = std::move(text);
    return *this;
}

TableBuilder& TableBuilder::Comments(std::string text)
{
    m_comments = std::move(text);
    return *this;
}

TableBuilder& TableBuilder::Enum(std::vector<std::string> header, std::vector<std::string> items)
{
    ColumnDef def;
    def.kind = Kind::Enum;
    def.header = std::move(header);
    def.items = std::move(items);
    m_columns.push_back(std::move(def));
    return *this;
}

TableBuilder& TableBuilder::Int(std::vector<std::string> header,
                                std::int32_t defaultValue,
                                std::int32_t minimum,
                                std::int32_t maximum)
{
    ColumnDef def;
    def.kind = Kind::Int;
    def.header = std::move(header);
    def.defaultInt = defaultValue;
    def.minimum = minimum;
    def.maximum = maximum;
    m_columns.push_back(std::move(def));
    return *this;
}

TableBuilder& TableBuilder::Float(std::vector<std::string> header,
                                  std::string unitPattern,
                                  long double defaultValue)
{
    ColumnDef def;
    def.kind = Kind::Float;
    def.header = std::move(header);
    def.text = std::move(unitPattern);
    def.real = defaultValue;
    m_columns.push_back(std::move(def));
    return *this;
}

TableBuilder& TableBuilder::Text(std::vector<std::string> header,
                                 std::string defaultText,
                                 long double widthInches)
{
    ColumnDef def;
    def.kind = Kind::Text;
    def.header = std::move(header);
    def.text = std::move(defaultText);
    def.real = widthInches;
    m_columns.push_back(std::move(def));
    return *this;
}

TableBuilder& TableBuilder::SubTables(std::vector<std::string> header, std::vector<int> templates)
{
    ColumnDef def;
    def.kind = Kind::Table;
    def.header = std::move(header);
    def.templates = std::move(templates);
    m_columns.push_back(std::move(def));
    return *this;
}

TableBuilder::ColumnDef& TableBuilder::Last()
{
    RaiseUnless<Exception>(!m_columns.empty(), "TableBuilder: no column to modify");
    return m_columns.back();
}

TableBuilder& TableBuilder::Hidden()
{
    Last().visible = false;
    return *this;
}

TableBuilder& TableBuilder::GroupValue()
{
    Last().groupValue = true;
    return *this;
}

TableBuilder& TableBuilder::TopDepth()
{
    RaiseUnless<Exception>(Last().kind == Kind::Float,
                           "TableBuilder: only a floating-point column holds top depths");
    Last().topDepth = true;
    return *this;
}

std::unique_ptr<TColumn> TableBuilder::MakeColumn(const ColumnDef& def, TGridTable& table) const
{
    std::unique_ptr<TColumn> column;
    switch (def.kind) {
    case Kind::Enum: {
        auto c = std::make_unique<TEnumColumn>(&table);
        c->SetItems(def.items);
        column = std::move(c);
        break;
    }
    case Kind::Int: {
        auto c = std::make_unique<TIntColumn>(&table);
        c->SetDefault(def.defaultInt);
        c->SetMinimum(def.minimum);
        c->SetMaximum(def.maximum);
        column = std::move(c);
        break;
    }
    case Kind::Float: {
        auto c = std::make_unique<TFloatColumn>(&table);
        c->SetUnitPattern(def.text);
        c->SetDefault(def.real);
        column = std::move(c);
        break;
    }
    case Kind::Text: {
        auto c = std::make_unique<TStringColumn>(&table);
        c->SetDefault(def.text);
        c->SetWidthInches(def.real);
        column = std::move(c);
        break;
    }
    case Kind::Table: {
        auto c = std::make_unique<TTableColumn>(&table);
        for (int id : def.templates) {
            c->Templates().AddIdentifier(id);
        }
        column = std::move(c);
        break;
    }
    }
    column->Header() = def.header;
    column->SetVisible(def.visible);
    column->SetGroupValue(def.groupValue);
    return column;
}

void TableBuilder::ApplyTo(TGridTable& table) const
{
    table.ClearColumns();
    table.SetCaption(m_caption);
    table.SetComments(m_comments);
    table.SetTopLeft(m_topLeft);
    table.SetHardwiredButton(false);
    table.SetRowGroup(m_rowGroup);
    table.SetMaxRows(m_maxRows);
    table.SetMinRows(m_minRows);
    if (m_identifier >= 0) {
        table.SetIdentifier(m_identifier);
    }
    for (const ColumnDef& def : m_columns) {
        table.AddColumn(MakeColumn(def, table));
    }
    // Top-depth columns last: a top column with rows needs its bottom column in place.
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].topDepth) {
            static_cast<TFloatColumn&>(table.Columns(static_cast<int>(i))).SetTopDepth(true);
        }
    }
    table.SetRowCount(0); // every row holds its column defaults
}

std::unique_ptr<TGridTable> TableBuilder::Build(TGridTable* owner) const
{
    auto table = std::make_unique<TGridTable>(owner);
    ApplyTo(*table);
    return table;
}

std::unique_ptr<TGridTable> TableBuilder::Build(TGridTableRegistry& registry) const
{
    auto table = std::make_unique<TGridTable>(registry);
    ApplyTo(*table);
    return table;
}
