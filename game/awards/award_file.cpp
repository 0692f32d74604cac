#include "game/awards/award_file.h"

#include "app/profile/profile_file.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/globals.h"
#include "platform/system.h"

namespace {

void report(const std::string& what) { Print("Napotkano problem : awards.dat: " + what); }

}  // namespace

int32_t readAwardDefinitions(const TQCMFile& file, const TTxtFile* texts, const std::string& dataDir) {
    TAwardRecordList list;
    const int32_t stated = file.getInt("awards::i");
    if (stated < 0) report("negative award count " + std::to_string(stated) + ", read as 0");
    const int32_t n = file.getCount("awards::i", "award");
    for (int32_t k = 1; k <= n; ++k) {
        const std::string g = "awards::award" + std::to_string(k);
        const std::string name = "award" + std::to_string(k);
        auto a = std::make_shared<TAwardRecord>();
        if (!file.groupAt(g)) report(name + " is missing; read as an empty award");
        else if (!file.entryAt(g + "::id")) report(name + " has no id; read as 0");
        a->id = truncToInt(file.getFloat(g + "::id", 0));
        a->typ = truncToInt(file.getFloat(g + "::typ", 0));
        a->level = truncToInt(file.getFloat(g + "::level", 0));
        a->title = readTxtData(texts, truncToInt(file.getFloat(g + "::name", 0)));
        a->opis = readTxtData(texts, truncToInt(file.getFloat(g + "::opis", 0)));
        a->opisReceive = readTxtData(texts, truncToInt(file.getFloat(g + "::otrzymanie", 0)));
        const std::string img = file.getString(g + "::img", 0);
        if (!img.empty()) a->img = LoadImage(dataDir + img);
        if (a->img) MidHandleImage(a->img);
        else if (file.groupAt(g)) report(name + " (id " + std::to_string(a->id) + "): picture \"" + img +
                                         "\" not loaded; shown without one");
        a->wielorazowy = truncToInt(file.getFloat(g + "::wielorazowy", 0));
        a->value = truncToInt(file.getFloat(g + "::value", 0));
        const TQCMEntry* dim = file.entryAt(g + "::dim");
        if (file.groupAt(g) && (!dim || dim->_value.size() < 2))
            report(name + " (id " + std::to_string(a->id) + "): \"dim\" needs two numbers; missing ones read as 0");
        a->x = file.getFloat(g + "::dim", 0);
        a->y = file.getFloat(g + "::dim", 1);
        list.push_back(std::move(a));
    }
    awardsList = std::move(list);
    return static_cast<int32_t>(awardsList.size());
}

int32_t loadAwardDefinitions() {
    auto file = loadQCMFile(bDir + "data/awards.dat");
    auto texts = loadTxtFile(bDir + "txt/#LANG#/awards.txt");
    return readAwardDefinitions(*file, texts.get(), bDir);
}
