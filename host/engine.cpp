#include "engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <stdexcept>

namespace evoplug::host {

namespace {
Engine* activeEngine = nullptr;
int runningDepth = 0;  // entry points of the engine under way
// Marks the engine's own work, for tests that must tell it from the plug-in's,
// and hands the call to the engine's hook.
struct Running {
    explicit Running(std::string_view call = {}) {
        ++runningDepth;
        if (!call.empty() && activeEngine != nullptr && activeEngine->onCall)
            activeEngine->onCall(call);
    }
    ~Running() { --runningDepth; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};
constexpr double kPi = 3.14159265358979323846;

// Rounded to the nearest whole raw value, wrapping like the engine's 32-bit
// arithmetic; the same on every platform (a `long` is 32 bits on Windows).
int32_t rounded32(double x) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(std::llround(x))));
}
}  // namespace

struct Engine::Object {
    std::vector<Word> words = std::vector<Word>(EVOPLUG_OBJECT_WORDS, 0);
    std::vector<int32_t> numbers;  // variables, arrays, panels, engine objects
    std::vector<Word> stringRecord;
    std::string text;
};

// The engine functions handed out through slot 1, as plain cdecl functions
// named as the engine lists them.
struct EngineFunctions {
    static void* EVOPLUG_CDECL ent_create(const void* model, const int32_t* position,
                                          int32_t action) {
        Running running("ent_create");
        return activeEngine ? activeEngine->createEntity(model, position, action) : nullptr;
    }
    static int32_t EVOPLUG_CDECL ent_remove(void* entity) {
        Running running("ent_remove");
        return activeEngine ? activeEngine->removeEntity(entity) : 0;
    }
    // Turns the vector by roll (x axis), tilt (y axis), then pan (z axis),
    // angles in degrees as EngineVar.
    static int32_t EVOPLUG_CDECL vec_rotate(int32_t* v, const int32_t* angles) {
        Running running("vec_rotate");
        if (v == nullptr || angles == nullptr) return 0;
        double x = v[0], y = v[1], z = v[2];
        auto radians = [](int32_t a) { return a / 1024.0 * kPi / 180.0; };
        double pan = radians(angles[0]), tilt = radians(angles[1]), roll = radians(angles[2]);
        double y1 = y * std::cos(roll) - z * std::sin(roll);
        double z1 = y * std::sin(roll) + z * std::cos(roll);
        double x2 = x * std::cos(tilt) - z1 * std::sin(tilt);
        double z2 = x * std::sin(tilt) + z1 * std::cos(tilt);
        double x3 = x2 * std::cos(pan) - y1 * std::sin(pan);
        double y3 = x2 * std::sin(pan) + y1 * std::cos(pan);
        v[0] = rounded32(x3);
        v[1] = rounded32(y3);
        v[2] = rounded32(z2);
        return 0;
    }
    // The length of the traced line, as EngineVar.
    static int32_t EVOPLUG_CDECL trace(const int32_t* from, const int32_t* to) {
        Running running("trace");
        if (activeEngine == nullptr || from == nullptr || to == nullptr) return 0;
        // Whatever the level made of "trace_mode", an engine call never throws.
        const Engine::Object* mode = activeEngine->find("trace_mode");
        const int32_t traceMode = mode != nullptr && !mode->numbers.empty() ? mode->numbers[0] : 0;
        activeEngine->traces_.push_back(
            {{from[0], from[1], from[2]}, {to[0], to[1], to[2]}, traceMode});
        double dx = to[0] - double(from[0]), dy = to[1] - double(from[1]),
               dz = to[2] - double(from[2]);
        return rounded32(std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    static void EVOPLUG_CDECL lock() {
        Running running("lock");
        if (activeEngine == nullptr) return;
        ++activeEngine->locks_;
    }
    static void EVOPLUG_CDECL unlock() {
        Running running("unlock");
        if (activeEngine == nullptr) return;
        ++activeEngine->unlocks_;
    }
};

Engine::Engine()
    : record_(EVOPLUG_HOST_WORDS, 0),
      table_(EVOPLUG_TABLE_WORDS, 0),
      secondTable_(4, 0),
      surface_(EVOPLUG_SURFACE_WORDS, 0) {
    if (activeEngine != nullptr) throw std::logic_error("only one engine may be active");
    activeEngine = this;
    table_[EVOPLUG_TABLE_LOOKUP] = reinterpret_cast<Word>(&Engine::lookupEntry);
    table_[EVOPLUG_TABLE_LOOKUP_FUNCTION] = reinterpret_cast<Word>(&Engine::lookupFunctionEntry);
    table_[EVOPLUG_TABLE_CALL] = reinterpret_cast<Word>(&Engine::callEntry);
    secondTable_[EVOPLUG_SECOND_TABLE_SLOT] = 0x5eed;
    record_[EVOPLUG_HOST_RESERVED] = 1;
    record_[EVOPLUG_HOST_FUNCTION_TABLE] = reinterpret_cast<Word>(table_.data());
    record_[EVOPLUG_HOST_SURFACE] = reinterpret_cast<Word>(surface_.data());
    record_[EVOPLUG_HOST_SECOND_TABLE] = reinterpret_cast<Word>(secondTable_.data());
    setSurface(64, 48, 4, 64 * 4 + 16);
}

Engine::~Engine() { activeEngine = nullptr; }

Engine* Engine::active() { return activeEngine; }

bool Engine::running() { return runningDepth > 0; }

Engine::Object& Engine::add(const std::string& name, int32_t typeCode) {
    auto object = std::make_unique<Object>();
    object->words[EVOPLUG_OBJECT_TYPE] = static_cast<Word>(static_cast<uint32_t>(typeCode));
    Object& result = *object;
    remove(name);  // a redefinition keeps the old storage, as remove() does
    objects_[name] = std::move(object);
    return result;
}

Engine::Object* Engine::find(const std::string& name) const {
    auto it = objects_.find(name);
    return it == objects_.end() ? nullptr : it->second.get();
}

int32_t* Engine::defineVar(const std::string& name, EngineVar value, int words) {
    Object& o = add(name, EVOPLUG_TYPE_NUMBER);
    o.numbers.assign(std::max(words, 1), value);
    o.words[EVOPLUG_OBJECT_DATA0] = reinterpret_cast<Word>(o.numbers.data());
    return o.numbers.data();
}

int32_t* Engine::defineArray(const std::string& name, int size) {
    Object& o = add(name, EVOPLUG_TYPE_ARRAY);
    o.numbers.assign(std::max(size, 1), 0);
    o.words[EVOPLUG_OBJECT_DATA0] = reinterpret_cast<Word>(o.numbers.data());
    return o.numbers.data();
}

Word* Engine::defineString(const std::string& name, const std::string& text) {
    Object& o = add(name, EVOPLUG_TYPE_STRING);
    o.text = text;
    o.stringRecord.assign(EVOPLUG_STRING_WORDS, 0);
    o.stringRecord[EVOPLUG_STRING_TEXT] = reinterpret_cast<Word>(o.text.c_str());
    o.words[EVOPLUG_OBJECT_DATA1] = reinterpret_cast<Word>(o.stringRecord.data());
    return o.stringRecord.data();
}

int32_t* Engine::definePanel(const std::string& name) {
    Object& o = add(name, EVOPLUG_TYPE_PANEL);
    o.numbers.assign(EVOPLUG_PANEL_WORDS, 0);
    o.words[EVOPLUG_OBJECT_DATA1] = reinterpret_cast<Word>(o.numbers.data());
    return o.numbers.data();
}

int32_t* Engine::defineObject(const std::string& name) {
    Object& o = add(name, EVOPLUG_TYPE_OBJECT);
    o.numbers.assign(EVOPLUG_CAMERA_WORDS, 0);
    o.words[EVOPLUG_OBJECT_DATA0] = reinterpret_cast<Word>(o.numbers.data());
    return o.numbers.data();
}

int32_t Engine::defineFunction(const std::string& name, ScriptFunction function) {
    functions_.push_back({name, std::move(function)});
    auto handle = static_cast<int32_t>(functions_.size());
    Object& o = add(name, EVOPLUG_TYPE_FUNCTION);
    o.words[EVOPLUG_OBJECT_DATA0] = static_cast<Word>(handle);
    return handle;
}

void Engine::defineRaw(const std::string& name, int32_t typeCode, Word data0, Word data1) {
    Object& o = add(name, typeCode);
    o.words[EVOPLUG_OBJECT_DATA0] = data0;
    o.words[EVOPLUG_OBJECT_DATA1] = data1;
}

void Engine::retype(const std::string& name, int32_t typeCode, Word data0, Word data1) {
    Object* o = find(name);
    if (o == nullptr) return defineRaw(name, typeCode, data0, data1);
    o->words[EVOPLUG_OBJECT_TYPE] = static_cast<Word>(static_cast<uint32_t>(typeCode));
    o->words[EVOPLUG_OBJECT_DATA0] = data0;
    o->words[EVOPLUG_OBJECT_DATA1] = data1;
}

void Engine::remove(const std::string& name) {
    auto it = objects_.find(name);
    if (it == objects_.end()) return;
    removedObjects_.emplace_back(name, std::move(it->second));
    objects_.erase(it);
}

bool Engine::restore(const std::string& name) {
    if (has(name)) return false;
    for (auto it = removedObjects_.rbegin(); it != removedObjects_.rend(); ++it) {
        if (it->first != name) continue;
        objects_[name] = std::move(it->second);
        removedObjects_.erase(std::next(it).base());
        return true;
    }
    return false;
}

bool Engine::has(const std::string& name) const { return find(name) != nullptr; }

std::vector<std::pair<std::string, int32_t>> Engine::objects() const {
    std::vector<std::pair<std::string, int32_t>> result;
    for (const auto& [name, object] : objects_)
        result.emplace_back(name, static_cast<int32_t>(object->words[EVOPLUG_OBJECT_TYPE]));
    return result;
}

int32_t* Engine::var(const std::string& name) {
    Object* o = find(name);
    if (o == nullptr || o->numbers.empty()) throw std::out_of_range("no number object " + name);
    return o->numbers.data();
}

int32_t* Engine::panel(const std::string& name) { return var(name); }

Word* Engine::stringRecord(const std::string& name) {
    Object* o = find(name);
    if (o == nullptr || o->stringRecord.empty()) throw std::out_of_range("no string " + name);
    return o->stringRecord.data();
}

std::string Engine::text(const std::string& name) {
    auto* chars = reinterpret_cast<const char*>(stringRecord(name)[EVOPLUG_STRING_TEXT]);
    return chars ? std::string(chars) : std::string();
}

void Engine::setText(const std::string& name, const std::string& text) {
    Object* o = find(name);
    if (o == nullptr || o->stringRecord.empty()) throw std::out_of_range("no string " + name);
    o->text = text;
    o->stringRecord[EVOPLUG_STRING_TEXT] = reinterpret_cast<Word>(o->text.c_str());
}

int32_t Engine::handle(const std::string& name) const {
    Object* o = find(name);
    if (o == nullptr ||
        static_cast<int32_t>(o->words[EVOPLUG_OBJECT_TYPE]) != EVOPLUG_TYPE_FUNCTION)
        return 0;
    return static_cast<int32_t>(o->words[EVOPLUG_OBJECT_DATA0]);
}

void Engine::disableEngineFunction(const std::string& name) { disabledFunctions_.insert(name); }

void Engine::enableEngineFunction(const std::string& name) { disabledFunctions_.erase(name); }

std::vector<int32_t*> Engine::entityRecords() const {
    std::vector<const Entity*> live;
    for (const auto& [record, entity] : entities_) live.push_back(entity.get());
    std::sort(live.begin(), live.end(),
              [](const Entity* a, const Entity* b) { return a->serial < b->serial; });
    std::vector<int32_t*> result;
    for (const Entity* e : live) result.push_back(const_cast<int32_t*>(e->words.data()));
    return result;
}

const Engine::Entity* Engine::entity(const void* record) const {
    auto it = entities_.find(record);
    return it == entities_.end() ? nullptr : it->second.get();
}

size_t Engine::callsTo(const std::string& name) const {
    return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(),
                                             [&](const ScriptCall& c) { return c.name == name; }));
}

void Engine::setSurface(int width, int height, int bytesPerPixel, int bytesPerLine) {
    pixels_.assign(static_cast<size_t>(std::max(0, bytesPerLine) * std::max(0, height)), 0);
    surface_[EVOPLUG_SURFACE_PIXELS] = reinterpret_cast<Word>(pixels_.data());
    surface_[EVOPLUG_SURFACE_BYTES_PER_LINE] = static_cast<Word>(bytesPerLine);
    surface_[EVOPLUG_SURFACE_WIDTH] = static_cast<Word>(width);
    surface_[EVOPLUG_SURFACE_HEIGHT] = static_cast<Word>(height);
    surface_[EVOPLUG_SURFACE_BYTES_PER_PIXEL] = static_cast<Word>(bytesPerPixel);
    surface_[EVOPLUG_SURFACE_LOCK] = reinterpret_cast<Word>(&EngineFunctions::lock);
    surface_[EVOPLUG_SURFACE_UNLOCK] = reinterpret_cast<Word>(&EngineFunctions::unlock);
}

void* Engine::createEntity(const void* modelRecord, const int32_t* position, int32_t action) {
    if (entityCreationFails_) return nullptr;
    auto entity = std::make_unique<Entity>();
    entity->words.assign(EVOPLUG_ENTITY_WORDS, 0);
    if (position != nullptr)
        std::copy(position, position + 3, entity->words.begin() + EVOPLUG_ENTITY_POSITION);
    if (modelRecord != nullptr) {
        auto* chars = reinterpret_cast<const char*>(
            static_cast<const Word*>(modelRecord)[EVOPLUG_STRING_TEXT]);
        if (chars != nullptr) entity->model = chars;
    }
    entity->action = action;
    entity->serial = created_++;
    void* record = entity->words.data();
    entities_[record] = std::move(entity);
    return record;
}

int32_t Engine::removeEntity(void* record) {
    if (entities_.erase(record) == 0) {
        ++badRemovals_;
        return 0;
    }
    ++removed_;
    return kOne;
}

void* Engine::lookupEntry(const char* name) {
    Running running;
    if (activeEngine == nullptr || name == nullptr) return nullptr;
    Object* o = activeEngine->find(name);
    return o ? o->words.data() : nullptr;
}

void* Engine::lookupFunctionEntry(const char* name) {
    Running running;
    if (activeEngine == nullptr || name == nullptr) return nullptr;
    std::string n(name);
    if (activeEngine->disabledFunctions_.count(n)) return nullptr;
        // Each by its listed name, checked against its listed signature.
#define EVOPLUG_HOST_ENGINE_FUNCTION(fname, result, params)      \
    if (n == #fname) {                                           \
        const evoplug_##fname##_fn fn = &EngineFunctions::fname; \
        return reinterpret_cast<void*>(fn);                      \
    }
    EVOPLUG_ENGINE_FUNCTIONS(EVOPLUG_HOST_ENGINE_FUNCTION)
#undef EVOPLUG_HOST_ENGINE_FUNCTION
    return nullptr;
}

int32_t Engine::callEntry(int32_t handle, int32_t a, int32_t b, int32_t c, int32_t d) {
    Running running;
    if (activeEngine == nullptr) return 0;
    Engine& e = *activeEngine;
    const Function* fn = handle >= 1 && static_cast<size_t>(handle) <= e.functions_.size()
                             ? &e.functions_[static_cast<size_t>(handle) - 1]
                             : nullptr;
    ++e.callCount_;
    if (e.logCalls_) e.calls_.push_back({handle, fn ? fn->name : "", a, b, c, d});
    if (fn != nullptr && e.onCall) e.onCall(fn->name);
    return fn != nullptr && fn->body ? fn->body(a, b, c, d) : 0;
}

}  // namespace evoplug::host
