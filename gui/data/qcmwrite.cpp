// Setting values and writing the tree back as text.
#include "gui/data/qcmfile.h"

#include "platform/files.h"
#include "platform/strings.h"

std::string qcmNumberText(const std::string& value) {
    // Whole numbers are written without their fraction ("1.00000000" -> "1", "abc" -> "0");
    // any other text as it is stored, blanks included.
    const int32_t asInt = str::toInt(value);
    if (static_cast<float>(asInt) == qcmFloat(value)) return str::formatInt(asInt);
    return value;
}

std::string TQCMEntry::toTxt() const {
    // Keys and texts are written as they were given; the format has no escape.
    std::string out = _id + " = ";
    for (size_t i = 0; i < _value.size(); ++i) {
        if (i > 0) out += ", ";
        if (_type == _QCM_string) {
            out += '"';
            out += _value[i];
            out += '"';
        } else {
            out += qcmNumberText(_value[i]);
        }
    }
    return out;
}

std::vector<std::string> TQCMEntry::createArray(int32_t count) {
    return std::vector<std::string>(count > 0 ? static_cast<size_t>(count) : 0);
}

int TQCMEntry::setValue(const std::string& value, int32_t index) {
    if (index < 0) return 0;
    const auto at = static_cast<size_t>(index);
    if (_value.size() < at + 1) _value.resize(at + 1);
    _value[at] = value;
    return 0;
}

TQCMEntry* TQCMGroup::_addEntry(const std::string& key, const std::string& value, int32_t index) {
    auto e = std::make_unique<TQCMEntry>();
    e->setId(key);
    e->setValue(value, index);
    _listaWpisow.push_back(std::move(e));
    return _listaWpisow.back().get();
}

int TQCMGroup::setStringEntry(const std::string& key, const std::string& value, int32_t index) {
    // An existing entry keeps its type: a text set into a number entry is written as a number.
    if (TQCMEntry* e = getEntry(key)) {
        e->setValue(value, index);
    } else {
        _addEntry(key, value, index)->_type = _QCM_string;
    }
    return 0;
}

int TQCMGroup::setFloatEntry(const std::string& key, float value, int32_t index) {
    const std::string text = str::formatFloat(static_cast<double>(value));
    if (TQCMEntry* e = getEntry(key)) {
        e->setValue(text, index);
    } else {
        _addEntry(key, text, index)->_type = _QCM_number;
    }
    return 0;
}

std::string TQCMGroup::save(const std::string& indent) const {
    std::string out;
    const bool named = !_id.empty();
    if (named) out += indent + _id + " {\n";
    if (_listaWpisow.empty()) out += '\n';
    for (const auto& e : _listaWpisow) {
        out += indent;
        out += '\t';
        out += e->toTxt();
        out += '\n';
    }
    const std::string inner = indent + "\t";
    for (const auto& g : _listaGrup) out += g->save(inner);
    if (named) out += indent + "}\n\n";
    return out;
}

TQCMGroup* TQCMFile::getGroupSet(const std::vector<std::string>& pieces) {
    TQCMGroup* g = _grupa.get();
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        TQCMGroup* next = g->getGroup(pieces[i]);
        if (!next) {
            g->_listaGrup.push_back(std::make_unique<TQCMGroup>(pieces[i]));
            next = g->_listaGrup.back().get();
        }
        g = next;
    }
    return g;
}

int TQCMFile::setString(const std::string& path, const std::string& value, int32_t index) {
    const auto pieces = splitQCMPath(path);
    if (pieces.empty() || index < 0) return 0;
    getGroupSet(pieces)->setStringEntry(pieces.back(), value, index);
    return 0;
}

int TQCMFile::setFloat(const std::string& path, float value, int32_t index) {
    const auto pieces = splitQCMPath(path);
    if (pieces.empty() || index < 0) return 0;
    getGroupSet(pieces)->setFloatEntry(pieces.back(), value, index);
    return 0;
}

std::string TQCMFile::toText() const {
    // Only the root's sub-groups are written; entries of the root itself are not.
    std::string out;
    for (const auto& g : _grupa->_listaGrup) out += g->save("");
    return out;
}

int TQCMFile::save(const std::string& path) const {
    if (!files::saveText(toText(), path)) {
        errorMsg(path + " cannot be written; the copy already there is kept");
        return -1;
    }
    return 0;
}
