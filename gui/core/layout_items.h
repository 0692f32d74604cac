#pragma once
// The records a layout block is read into: KEY = value entries and, inside BAR blocks,
// nested declarations (a menu with its own entries and sub-menus).
#include <memory>
#include <string>
#include <vector>

class TLayoutItem {
public:
    virtual ~TLayoutItem() = default;
    // Debug print to the console.
    virtual int wyprintuj(const std::string& prefix) const = 0;
};

class TSimpleEntry : public TLayoutItem {
public:
    TSimpleEntry() = default;
    TSimpleEntry(std::string typ, std::string value)
        : _typ(std::move(typ)), _value(std::move(value)) {}
    std::string _typ;    // the key as written
    std::string _value;  // the value as written, quotes removed
    int wyprintuj(const std::string& prefix) const override;
};

class TSmallObject : public TLayoutItem {
public:
    std::vector<std::shared_ptr<TLayoutItem>> _tokeny;  // entries and nested declarations
    std::string _typ;                                    // type word as written
    std::string _name;
    std::string _tytul;
    int wyprintuj(const std::string& prefix) const override;
};

using TEntryList = std::vector<std::shared_ptr<TSimpleEntry>>;
using TDeclList = std::vector<std::shared_ptr<TSmallObject>>;
