// The engine's records, one handle type per kind: each offers only the words
// of its own kind, under the name of what they hold. A handle is one pointer,
// free to copy; null stands for a record the engine did not give. Like a
// pointer, a const handle still reaches a writable record.
#pragma once

#include <cstdint>
#include <type_traits>

#include "bridge/host_interface.h"

namespace evoplug::panel {
class TextPool;
}

namespace evoplug::bridge {

// A text that lives as long as the process, as an engine string needs: the
// engine keeps pointing at it for good. Only the panel's pool of shown texts
// makes one.
class LastingText {
  public:
    const char* text() const { return text_; }

  private:
    friend class panel::TextPool;
    explicit LastingText(const char* text) : text_(text) {}

    const char* text_;
};

// What the plug-in needs a script object to be. A number accepts a number
// variable or an array (type codes 1 and 2); the others one code each.
enum class Kind { Number, String, Object, Function, Panel };

// Engine words are plain 32-bit registers: sums wrap as they do in the
// engine, computed unsigned to avoid the undefined signed overflow.
inline int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrappingSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

namespace detail {

// A record of 32-bit words. Built only explicitly from a raw pointer, so that
// a record of one kind never passes for another.
class NumberRecord {
  public:
    NumberRecord() = default;
    explicit NumberRecord(void* record) : words_(static_cast<int32_t*>(record)) {}
    explicit operator bool() const { return words_ != nullptr; }
    void* raw() const { return words_; }

  protected:
    int32_t& at(int index) const { return words_[index]; }
    int32_t* from(int index) const { return words_ + index; }

  private:
    int32_t* words_ = nullptr;
};

}  // namespace detail

class EntityRecord : public detail::NumberRecord {
  public:
    using NumberRecord::NumberRecord;
    const int32_t* position() const { return from(abi::entity::kPosition); }  // x, y, z
    const int32_t* angles() const { return from(abi::entity::kAngles); }      // pan, tilt, roll
    int32_t& tilt() const { return at(abi::entity::kTilt); }
    int32_t& roll() const { return at(abi::entity::kRoll); }
    int32_t& gene0() const { return at(abi::entity::kGene0); }
    int32_t& gene1() const { return at(abi::entity::kGene1); }
    int32_t& gene2() const { return at(abi::entity::kGene2); }
};

class ParticleRecord : public detail::NumberRecord {
  public:
    using NumberRecord::NumberRecord;
    int32_t& life() const { return at(abi::particle::kLife); }
    int32_t* velocity() const { return from(abi::particle::kVelocity); }  // x, y, z
    int32_t& function() const { return at(abi::particle::kFunction); }
    int32_t& flags() const { return at(abi::particle::kFlags); }
    int32_t& alpha() const { return at(abi::particle::kAlpha); }
    int32_t* colour() const { return from(abi::particle::kColour); }  // three words
};

class PanelRecord : public detail::NumberRecord {
  public:
    static constexpr Kind kKind = Kind::Panel;
    using NumberRecord::NumberRecord;
    int32_t& x() const { return at(abi::panel::kPosX); }
    int32_t& y() const { return at(abi::panel::kPosY); }
    int32_t& moveMarker() const { return at(abi::panel::kMoveMarker); }
};

// The only engine object the plug-in looks up by name.
class CameraRecord : public detail::NumberRecord {
  public:
    static constexpr Kind kKind = Kind::Object;
    using NumberRecord::NumberRecord;
    int32_t& zoom() const { return at(abi::camera::kZoomWord); }
};

class StringRecord {
  public:
    static constexpr Kind kKind = Kind::String;
    StringRecord() = default;
    explicit StringRecord(void* record) : words_(static_cast<abi::Word*>(record)) {}
    explicit operator bool() const { return words_ != nullptr; }
    void* raw() const { return words_; }

    const char* text() const { return reinterpret_cast<const char*>(words_[abi::string::kText]); }
    void setText(LastingText text) const {
        words_[abi::string::kText] = reinterpret_cast<abi::Word>(text.text());
    }

  private:
    abi::Word* words_ = nullptr;
};

// A string record of the library's own, handed to "ent_create" to name the
// model: its text is the script's "modelname", not the library's.
class OwnStringRecord {
  public:
    void* raw() { return words_; }
    void setText(const char* text) {
        words_[abi::string::kText] = reinterpret_cast<abi::Word>(text);
    }

  private:
    abi::Word words_[abi::string::kWords] = {};
};

// Written by the engine; the plug-in only reads it, and writes the pixels.
class SurfaceRecord {
  public:
    SurfaceRecord() = default;
    explicit SurfaceRecord(const void* record) : words_(static_cast<const abi::Word*>(record)) {}
    explicit operator bool() const { return words_ != nullptr; }

    uint8_t* pixels() const { return reinterpret_cast<uint8_t*>(words_[abi::surface::kPixels]); }
    int32_t bytesPerLine() const { return number(abi::surface::kBytesPerLine); }
    int32_t width() const { return number(abi::surface::kWidth); }
    int32_t height() const { return number(abi::surface::kHeight); }
    int32_t bytesPerPixel() const { return number(abi::surface::kBytesPerPixel); }
    abi::SurfaceFn lock() const { return function(abi::surface::kLock); }
    abi::SurfaceFn unlock() const { return function(abi::surface::kUnlock); }

  private:
    int32_t number(int index) const { return static_cast<int32_t>(words_[index]); }
    abi::SurfaceFn function(int index) const {
        return reinterpret_cast<abi::SurfaceFn>(words_[index]);
    }

    const abi::Word* words_ = nullptr;
};

// A handle costs no more than the raw pointer it holds.
template <typename Handle>
constexpr bool kCostsAPointer =
    sizeof(Handle) == sizeof(void*) && std::is_trivially_copyable_v<Handle>;
static_assert(kCostsAPointer<EntityRecord>);
static_assert(kCostsAPointer<ParticleRecord>);
static_assert(kCostsAPointer<PanelRecord>);
static_assert(kCostsAPointer<CameraRecord>);
static_assert(kCostsAPointer<StringRecord>);
static_assert(kCostsAPointer<SurfaceRecord>);
static_assert(kCostsAPointer<LastingText>);

}  // namespace evoplug::bridge
