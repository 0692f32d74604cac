#include "minigames/hidden_object/ho_level_file.h"

#include <algorithm>
#include <cmath>

#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "minigames/hidden_object/ho_playable.h"
#include "platform/files.h"
#include "platform/system.h"

namespace {

// Positions outside this square are surely a broken file; they are pulled onto its edge.
constexpr float kMinPos = -2048, kMaxPos = 4096;
// A leaf area or bubble interval shorter than this would spawn every frame.
constexpr float kMinInterval = 100;
constexpr size_t kReportedProblems = 12;

using Problems = std::vector<std::string>;

int whole(float v) { return int(std::clamp(v, kMinPos, kMaxPos)); }
float bounded(float v) { return std::isfinite(v) ? std::clamp(v, kMinPos, kMaxPos) : 0.0f; }

int count(const TQCMFile& f, const std::string& key, Problems& problems) {
    const float raw = f.getFloat(key, 0);
    if (!(raw >= 0)) {
        problems.push_back(key + " is negative; read as 0");
        return 0;
    }
    if (raw > float(kHOMaxRecords)) {
        problems.push_back(key + " = " + std::to_string(int64_t(std::min(raw, 1e12f))) + "; only " +
                           std::to_string(kHOMaxRecords) + " records read");
        return kHOMaxRecords;
    }
    return int(raw);
}

// Why a named picture is missing: a name that would lead out of the asset tree is not tried.
std::string notLoaded(const std::string& url) {
    return "picture \"" + url +
           (files::insideTree(url) ? "\" not found" : "\" lies outside the game's folders; not loaded");
}

TImage picture(const std::string& url, const std::string& key, Problems& problems) {
    if (url.empty()) {
        problems.push_back(key + ": no picture named");
        return nullptr;
    }
    TImage img = loadHOImage(url);
    if (!img) problems.push_back(key + ": " + notLoaded(url));
    return img;
}

void centre(const TImage& img) {
    if (img) SetImageHandle(img, float(ImageWidth(img) / 2), float(ImageHeight(img) / 2));
}

std::string n(int k) { return std::to_string(k); }

void report(const std::string& url, const Problems& problems) {
    if (!problems.empty()) errorMsg(listedMessage("Hidden-object level " + url + ":", problems, kReportedProblems));
}

// A point from two values; an x of exactly 0 means "anywhere" (y is drawn first).
std::shared_ptr<TDim> placeOrRandom(const std::shared_ptr<TDim>& d) {
    if (d->x != 0) return d;
    const int y = Rand(50, 700);
    const int x = Rand(50, 950);
    return createSimpleDim(x, y);
}

}  // namespace

TImage loadHOImage(const std::string& url) {
    // A saved level is the player's file: its names stay inside the asset tree.
    if (url.empty() || !files::insideTree(url)) return nullptr;
    return LoadImage(bDir + url);
}

std::string hoSepiaUrl(const std::string& iconUrl) {
    const size_t slash = iconUrl.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : iconUrl.substr(0, slash);
    std::string file = slash == std::string::npos ? iconUrl : iconUrl.substr(slash + 1);
    const size_t dot = file.find_last_of('.');
    if (dot != std::string::npos) file.erase(dot);
    // An icon beside the tree's root has its cover there too, not at the file system's root.
    return folder.empty() ? file + "-sepia.png" : folder + "/" + file + "-sepia.png";
}

namespace {

std::shared_ptr<THOLevel> readLevel(const std::shared_ptr<TQCMFile>& f, Problems& problems) {
    auto level = std::make_shared<THOLevel>();
    auto txt = loadTxtFile(bDir + "txt/#LANG#/hiddenObject.txt");
    if (!f->groupAt("level")) problems.push_back("no group \"level\" (missing or unreadable file)");

    level->backGroundUrl = f->getString("level::background");
    level->drugiPlanUrl = f->getString("level::drugiPlan");
    // An empty second plane is allowed; a named one that is missing is reported.
    if (!level->drugiPlanUrl.empty()) level->drugiPlan = picture(level->drugiPlanUrl, "level::drugiPlan", problems);
    level->background = picture(level->backGroundUrl, "level::background", problems);
    level->time = std::max(0, int(std::clamp(f->getFloat("level::time"), 0.0f, 2e9f)));
    level->guiUrl = f->getString("level::gui");
    level->titleN = int(std::clamp(f->getFloat("level::title"), -1e6f, 1e6f));
    level->title = readTxtData(txt, level->titleN);
    const float banki = f->getFloat("level::banki");
    level->banki = banki <= 0 || !std::isfinite(banki) ? 0 : int(std::clamp(banki, kMinInterval, 1e7f));

    const int objects = count(*f, "level::objects::i", problems);
    for (int k = 1; k <= objects; ++k) {
        const std::string p = "level::objects::ob" + n(k);
        auto o = std::make_shared<THObject>();
        o->id = int(std::clamp(f->getFloat(p + "::id"), -1e9f, 1e9f));
        o->imgUkrytyUrl = f->getString(p + "::imgUkryty");
        o->imgDoZebraniaUrl = f->getString(p + "::imgDoZebrania");
        o->imgSepiaUrl = hoSepiaUrl(o->imgDoZebraniaUrl);
        o->imgZebranyUrl = f->getString(p + "::imgZebrany");
        o->state = f->getString(p + "::state");
        o->punktX = bounded(f->getFloat(p + "::addPoint", 0));
        o->punktY = bounded(f->getFloat(p + "::addPoint", 1));
        o->imgUkryty = picture(o->imgUkrytyUrl, p + "::imgUkryty", problems);
        o->imgDoZebrania = picture(o->imgDoZebraniaUrl, p + "::imgDoZebrania", problems);
        o->imgZebrany = picture(o->imgZebranyUrl, p + "::imgZebrany", problems);
        o->imgSepia = o->imgDoZebraniaUrl.empty() ? nullptr : picture(o->imgSepiaUrl, p + " (sepia icon)", problems);
        for (const auto* img : {&o->imgUkryty, &o->imgSepia, &o->imgDoZebrania, &o->imgZebrany}) centre(*img);
        o->ukrytyDim = placeOrRandom(
            createSimpleDim(whole(f->getFloat(p + "::ukrytyDim", 0)), whole(f->getFloat(p + "::ukrytyDim", 1))));
        o->doZebraniaDim = placeOrRandom(
            createSimpleDim(whole(f->getFloat(p + "::doZebraniaDim", 0)), whole(f->getFloat(p + "::doZebraniaDim", 1))));
        // The flying copy starts where the object hides, also when that place was drawn at
        // random (placing each on its own would start the flight elsewhere, or at x 0).
        o->zebranyDim = createSimpleDim(int(o->ukrytyDim->x), int(o->ukrytyDim->y));
        o->ZebranykopiaDim = createSimpleDim(int(o->ukrytyDim->x), int(o->ukrytyDim->y));
        o->startRot = bounded(f->getFloat(p + "::startRot"));
        o->startScale = bounded(f->getFloat(p + "::startScale"));
        if (o->startScale == 0) o->startScale = 1;
        o->interpretujState();
        level->objects.push_back(o);
    }

    const int lights = count(*f, "level::lights::i", problems);
    for (int k = 1; k <= lights; ++k) {
        const std::string p = "level::lights::light" + n(k);
        auto l = std::make_shared<TLevelLight>();
        l->url = f->getString(p + "::img");
        l->x = whole(f->getFloat(p + "::position", 0));
        l->y = whole(f->getFloat(p + "::position", 1));
        l->da = float(Rand(0, 1));
        l->a = l->da;
        l->img = picture(l->url, p + "::img", problems);
        level->lights.push_back(l);
    }

    const int leaves = count(*f, "level::leaves::i", problems);
    for (int k = 1; k <= leaves; ++k) {
        const std::string key = "level::leaves::leaf" + n(k);
        auto d = std::make_shared<TDim>();
        d->x = bounded(f->getFloat(key, 0));
        d->y = bounded(f->getFloat(key, 1));
        d->w = std::max(0.0f, bounded(f->getFloat(key, 2)));
        d->h = std::max(0.0f, bounded(f->getFloat(key, 3)));
        const float every = f->getFloat(key, 4);
        d->x1 = std::isfinite(every) ? std::clamp(every, kMinInterval, 1e7f) : kMinInterval;
        if (every < kMinInterval) problems.push_back(key + ": interval below " + n(int(kMinInterval)) + " ms raised");
        level->leaves.push_back(d);
    }

    const int members = count(*f, "level::group::i", problems);
    for (int k = 1; k <= members; ++k) {
        const int id = int(std::clamp(f->getFloat("level::group::obj" + n(k)), -1e9f, 1e9f));
        auto o = level->getObjectById(id);
        if (!o) problems.push_back("level::group::obj" + n(k) + ": no object has id " + n(id));
        level->group->objects.push_back(o);
        level->group->ids.push_back(id);
    }
    level->group->x = whole(f->getFloat("level::group::textXY", 0));
    level->group->y = whole(f->getFloat("level::group::textXY", 1));

    const int masks = count(*f, "level::maska::i", problems);
    for (int k = 1; k <= masks; ++k) {
        const std::string key = "level::maska::maska" + n(k);
        auto m = createMaskImg(f->getString(key), float(whole(f->getFloat(key + "dim", 0))),
                               float(whole(f->getFloat(key + "dim", 1))));
        if (!m->img) problems.push_back(key + ": " + notLoaded(m->url));
        level->masks.push_back(m);
    }

    const int elements = count(*f, "level::obiektyTla::i", problems);
    for (int k = 1; k <= elements; ++k) {
        const std::string p = "level::obiektyTla::obj" + n(k);
        auto e = createBackElement(f->getString(p + "::img"), f->getString(p + "::typ"),
                                   bounded(f->getFloat(p + "::dims", 0)), bounded(f->getFloat(p + "::dims", 1)),
                                   bounded(f->getFloat(p + "::dims", 2)), bounded(f->getFloat(p + "::dims", 3)),
                                   bounded(f->getFloat(p + "::handle", 0)), bounded(f->getFloat(p + "::handle", 1)));
        if (!e->img) problems.push_back(p + "::img: " + notLoaded(e->url));
        level->obiektyTla.push_back(e);
    }
    return level;
}

}  // namespace

std::shared_ptr<THOLevel> loadHOLevel(const std::string& url, std::vector<std::string>* out) {
    Problems problems;
    auto level = readLevel(loadQCMFile(url), problems);
    report(url, problems);
    if (out) *out = std::move(problems);
    return level;
}

std::shared_ptr<THOLevel> loadSavedHOLevel(const std::string& path) {
    // No save at all is nothing to tell: the scene is simply taken fresh.
    if (files::fileType(path) == files::FILETYPE_NONE) return nullptr;
    auto f = loadQCMFile(path);
    Problems problems;
    std::string fault = hoSaveDamage(*f);
    std::shared_ptr<THOLevel> level;
    if (fault.empty()) {
        level = readLevel(f, problems);
        fault = hoUnplayable(*level);
    }
    if (!fault.empty()) {
        // One message for the whole cause: what the reader found on the way is part of it.
        Notify("The saved hidden-object scene \"" + path + "\" cannot be played (" + fault +
               "), so the scene starts again from the beginning.");
        return nullptr;
    }
    report(path, problems);
    return level;
}

int saveHOLevel(const THOLevel& level, const std::string& path) {
    auto f = createQCMFile();
    f->setString("level::background", level.backGroundUrl);
    f->setString("level::gui", level.guiUrl);
    f->setFloat("level::time", float(level.time));
    f->setFloat("level::title", float(level.titleN));
    f->setFloat("level::objects::i",
                float(std::count_if(level.objects.begin(), level.objects.end(), [](const auto& o) { return o != nullptr; })));
    f->setFloat("level::banki", float(level.banki));

    int k = 0;
    for (const auto& o : level.objects) {
        if (!o) continue;
        const std::string p = "level::objects::ob" + n(++k);
        f->setFloat(p + "::id", float(o->id));
        f->setString(p + "::imgUkryty", o->imgUkrytyUrl);
        f->setString(p + "::imgDoZebrania", o->imgDoZebraniaUrl);
        f->setString(p + "::imgZebrany", o->imgZebranyUrl);
        f->setFloat(p + "::UkrytyDim", o->ukrytyDim->x, 0);
        f->setFloat(p + "::UkrytyDim", o->ukrytyDim->y, 1);
        f->setFloat(p + "::doZebraniaDim", o->doZebraniaDim->x, 0);
        f->setFloat(p + "::doZebraniaDim", o->doZebraniaDim->y, 1);
        f->setFloat(p + "::zebranyDim", o->zebranyDim->x, 0);
        f->setFloat(p + "::zebranyDim", o->zebranyDim->y, 1);
        f->setFloat(p + "::startRot", o->startRot);
        f->setFloat(p + "::startScale", o->startScale);
        f->setString(p + "::state", o->state);
        f->setFloat(p + "::addPoint", o->punktX, 0);
        f->setFloat(p + "::addPoint", o->punktY, 1);
    }

    const auto& g = *level.group;
    f->setFloat("level::group::i", float(g.objects.size()));
    for (size_t i = 0; i < g.objects.size(); ++i) {
        const int id = g.objects[i] ? g.objects[i]->id : (i < g.ids.size() ? g.ids[i] : 0);
        f->setFloat("level::group::obj" + n(int(i) + 1), float(id));
    }
    f->setFloat("level::group::textXY", float(g.x), 0);
    f->setFloat("level::group::textXY", float(g.y), 1);

    f->setFloat("level::lights::i", float(level.lights.size()));
    k = 0;
    for (const auto& l : level.lights) {
        const std::string p = "level::lights::light" + n(++k);
        f->setString(p + "::img", l->url);
        f->setFloat(p + "::position", float(l->x), 0);
        f->setFloat(p + "::position", float(l->y), 1);
    }

    f->setFloat("level::leaves::i", float(level.leaves.size()));
    k = 0;
    for (const auto& d : level.leaves) {
        const std::string key = "level::leaves::leaf" + n(++k);
        const float values[] = {d->x, d->y, d->w, d->h, d->x1};
        for (int v = 0; v < 5; ++v) f->setFloat(key, values[v], v);
    }

    f->setFloat("level::maska::i", float(level.masks.size()));
    k = 0;
    for (const auto& m : level.masks) {
        const std::string key = "level::maska::maska" + n(++k);
        f->setString(key, m->url);
        f->setFloat(key + "dim", m->x, 0);
        f->setFloat(key + "dim", m->y, 1);
    }

    f->setFloat("level::obiektyTla::i", float(level.obiektyTla.size()));
    k = 0;
    for (const auto& e : level.obiektyTla) {
        const std::string p = "level::obiektyTla::obj" + n(++k);
        f->setString(p + "::img", e->url);
        f->setString(p + "::typ", e->typ);
        const float dims[] = {e->x1, e->y1, e->x2, e->y2};
        for (int v = 0; v < 4; ++v) f->setFloat(p + "::dims", dims[v], v);
        f->setFloat(p + "::handle", e->hx, 0);
        f->setFloat(p + "::handle", e->hy, 1);
    }

    f->setString("level::drugiPlan", level.drugiPlanUrl);
    return f->save(path) < 0 ? -1 : 0;
}
