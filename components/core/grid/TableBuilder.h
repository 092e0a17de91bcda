#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/TGridTable.h"

// Declarative definition of a grid table: its settings and its columns in order, each with
// headings, type, unit pattern, default and limits. One definition builds the table; the
// program's tables are defined this way in one place.
//
//   TableBuilder("Cross Section Area")
//       .Identifier(46).Rows(2, 100)
//       .Float({"Distance from ", "pile head,"}, "L2")
//       .Float({"Cross section area,"}, "L^2")
//       .Build();
class TableBuilder
{
public:
    explicit TableBuilder(std::string caption);

    TableBuilder& Identifier(int identifier);
    TableBuilder& Rows(int minRows, int maxRows); // maxRows 0: no limit
    TableBuilder& RowGroup(int rowGroup);
    TableBuilder& TopLeft(std::string text);
    TableBuilder& Comments(std::string text);

    // Columns, appended in order.
    TableBuilder& Enum(std::vector<std::string> header, std::vector<std::string> items);
    TableBuilder& Int(std::vector<std::string> header,
                      std::int32_t defaultValue,
                      std::int32_t minimum,
                      std::int32_t maximum);
    TableBuilder& Float(std::vector<std::string> header,
                        std::string unitPattern = "",
                        long double defaultValue = 0);
    TableBuilder& Text(std::vector<std::string> header,
                       std::string defaultText = "",
                       long double widthInches = 1.0L);
    // One template table Identifier per item of the first (enumeration) column; -1 for none.
    TableBuilder& SubTables(std::vector<std::string> header, std::vector<int> templates);

    // Modifiers of the column added last.
    TableBuilder& Hidden();
    TableBuilder& GroupValue();
    TableBuilder& TopDepth();

    // A new table owned by `owner` (nullptr for a table on its own) with MinRows rows.
    std::unique_ptr<TGridTable> Build(TGridTable* owner = nullptr) const;
    // A new top-level table among the tables of `registry`, with MinRows rows.
    std::unique_ptr<TGridTable> Build(TGridTableRegistry& registry) const;
    // Gives an existing table these settings and columns (its columns are replaced).
    void ApplyTo(TGridTable& table) const;

private:
    enum class Kind
    {
        Enum,
        Int,
        Float,
        Text,
        Table
    };
    struct ColumnDef
    {
        Kind kind = Kind::Float;
        std::vector<std::string> header;
        std::vector<std::string> items;
        std::string text; // unit pattern or default text
        long double real = 0;
        std::int32_t defaultInt = 0;
        std::int32_t minimum = 0;
        std::int32_t maximum = 0;
        std::vector<int> templates;
        bool visible = true;
        bool groupValue = false;
        bool topDepth = false;
    };
    ColumnDef& Last();
    std::unique_ptr<TColumn> MakeColumn(const ColumnDef& def, TGridTable& table) const;

    std::string m_caption;
    int m_identifier = -1;
    int m_minRows = 1;
    int m_maxRows = 0;
    int m_rowGroup = 1;
    std::string m_topLeft;
    std::string m_comments;
    std::vector<ColumnDef> m_columns;
};
