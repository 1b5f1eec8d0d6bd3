#include "engine/save/SaveFile.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "common/LittleEndian.h"
#include "engine/save/GameIdentity.h"
#include "engine/save/HoldingsFields.h"
#include "engine/save/MemoryFields.h"

namespace save {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GiB at a time; payloads and paths are far smaller.
    return static_cast<std::uint32_t>(crc32(crc, bytes.data(), static_cast<uInt>(bytes.size())));
}

namespace {

constexpr char kSignature[8] = {'D', 'U', 'N', 'S', 'A', 'V', 'E', '\x1A'};

// Sizes beyond any real game: a damaged length must not make the reader allocate gigabytes.
constexpr std::size_t kMaxScriptBytes = 16u << 20;
constexpr std::size_t kMaxText = 1u << 16;
constexpr std::size_t kMaxActors = 256;
constexpr std::size_t kMaxCharacters = 1u << 16;
constexpr std::size_t kMaxLayerBytes = 64u << 20;

class Writer {
  public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void Int(std::int32_t v) { kit::appendI32LE(out_, v); }
    void U32(std::uint32_t v) { kit::appendU32LE(out_, v); }
    void U64(std::uint64_t v) {
        U32(static_cast<std::uint32_t>(v));
        U32(static_cast<std::uint32_t>(v >> 32));
    }
    void Byte(std::uint8_t v) { out_.push_back(v); }
    void Text(const std::string& s, std::size_t) {
        U32(static_cast<std::uint32_t>(s.size()));
        out_.insert(out_.end(), s.begin(), s.end());
    }
    void Block(const std::vector<std::uint8_t>& b, std::size_t) {
        U32(static_cast<std::uint32_t>(b.size()));
        out_.insert(out_.end(), b.begin(), b.end());
    }
    template <typename T>
    void Count(const std::vector<T>& v, std::size_t) {
        U32(static_cast<std::uint32_t>(v.size()));
    }

  private:
    std::vector<std::uint8_t>& out_;
};

// Reads the fields back in the same order; the first field that does not fit fails the reader
// for good, and every later read yields zeros.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    bool AtEnd() const { return at_ == in_.size(); }

    void Int(std::int32_t& v) { v = static_cast<std::int32_t>(Next32()); }
    void U32(std::uint32_t& v) { v = Next32(); }
    void U64(std::uint64_t& v) {
        const std::uint64_t low = Next32();
        v = low | (static_cast<std::uint64_t>(Next32()) << 32);
    }
    void Byte(std::uint8_t& v) { v = Has(1) ? in_[at_++] : 0; }
    void Text(std::string& s, std::size_t max) {
        const std::size_t n = Length(max);
        s.assign(reinterpret_cast<const char*>(in_.data() + at_), n);
        at_ += n;
    }
    void Block(std::vector<std::uint8_t>& b, std::size_t max) {
        const std::size_t n = Length(max);
        b.assign(in_.begin() + static_cast<std::ptrdiff_t>(at_),
                 in_.begin() + static_cast<std::ptrdiff_t>(at_ + n));
        at_ += n;
    }
    template <typename T>
    void Count(std::vector<T>& v, std::size_t max) {
        const std::uint32_t n = Next32();
        if (n > max) ok_ = false;
        v.resize(ok_ ? n : 0);
    }

  private:
    bool Has(std::size_t n) {
        if (ok_ && in_.size() - at_ >= n) return true;
        ok_ = false;
        return false;
    }
    std::uint32_t Next32() {
        if (!Has(4)) return 0;
        const std::uint32_t v = kit::readU32LE(in_, at_);
        at_ += 4;
        return v;
    }
    std::size_t Length(std::size_t max) {
        const std::uint32_t n = Next32();
        if (n > max || !Has(n)) {
            ok_ = false;
            return 0;
        }
        return n;
    }

    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// The payload's fields, in file order, for the writer (G = const Game) and the reader (G = Game).
template <typename A, typename S>
void VisitScript(A& a, S& s) {
    a.Text(s.name, kMaxText);
    a.Block(s.bytes, kMaxScriptBytes);
    a.U32(s.position);
    for (auto& v : s.variables) a.Int(v);
    a.Text(s.stringRegister, 255);
}

template <typename A, typename T>
void VisitActor(A& a, T& x) {
    for (auto* v : {&x.x, &x.y, &x.width, &x.height, &x.facing, &x.walkFrame, &x.stepX, &x.stepY,
                    &x.reserved0, &x.reserved1, &x.level})
        a.Int(*v);
}

template <typename A, typename M>
void VisitMover(A& a, M& m) {
    for (auto* v : {&m.speed, &m.animCounter, &m.stepX, &m.stepY, &m.stepTimer}) a.Int(*v);
    VisitActor(a, m.saved);
    a.Text(m.name, kMaxText);
}

template <typename A, typename N>
void VisitAnim(A& a, N& n) {
    VisitScript(a, n.script);
    for (auto* v : {&n.active, &n.originX, &n.originY}) a.Int(*v);
    for (auto& c : n.cells)
        for (auto* v : {&c.x, &c.y, &c.column, &c.row, &c.stepX, &c.stepY, &c.level}) a.Int(*v);
    a.Text(n.pictureName, kMaxText);
}

template <typename A, typename F>
void VisitField(A& a, F& f) {
    a.Text(f.mapName, kMaxText);
    for (auto* v : {&f.tileSet, &f.width, &f.height}) a.Int(*v);
    a.Block(f.layers, kMaxLayerBytes);
    for (auto& v : f.tileAttributes) a.Int(v);
    for (auto* v : {&f.camX, &f.camY, &f.cameraFollow, &f.talkPartner, &f.hitTestStart,
                    &f.playerControl, &f.scriptMode, &f.battleBackground, &f.enemyGroup})
        a.Int(*v);
}

template <typename A, typename T>
void VisitText(A& a, T& t) {
    a.Text(t.text, 511);
    for (auto* v :
         {&t.lastPartStart, &t.previousPageLines, &t.pageDropPending, &t.revealed, &t.revealTimer,
          &t.speed, &t.scrollOffset, &t.linesToScroll, &t.linesDrawn, &t.firstLine})
        a.Int(*v);
}

template <typename A, typename G>
void VisitGame(A& a, G& g, std::uint32_t version) {
    if (version >= kVersionGameIdentity) a.Text(g.gameIdentity, kMaxGameIdLength);
    a.Text(g.summary.leaderName, kMaxText);
    a.Text(g.summary.mapName, kMaxText);
    a.U64(g.summary.playTimeMs);
    auto mode = static_cast<std::uint8_t>(g.mode);
    a.Byte(mode);
    if constexpr (!std::is_const_v<G>) g.mode = static_cast<Mode>(mode);
    a.Int(g.inputTimer);
    a.U32(g.randomState);
    a.Int(g.savePointScript);
    VisitScript(a, g.global);
    a.Count(g.events, kMaxActors);
    for (auto& e : g.events) {
        VisitScript(a, e.script);
        a.Int(e.active);
        a.Int(e.savedActive);
    }
    a.Count(g.actors, kMaxActors);
    for (auto& x : g.actors) VisitActor(a, x);
    a.Count(g.movers, kMaxActors);
    for (auto& m : g.movers) VisitMover(a, m);
    for (auto& n : g.anims) VisitAnim(a, n);
    VisitField(a, g.field);
    VisitText(a, g.text);
    for (auto& p : g.party) a.Int(p);
    a.Count(g.hitPoints, kMaxCharacters);
    for (auto& hp : g.hitPoints) a.Int(hp);
    a.Text(g.music, 255);
    auto open = static_cast<std::uint8_t>(g.musicOpen);
    a.Byte(open);
    if constexpr (!std::is_const_v<G>) {
        g.musicOpen = open == 1;
        if (open > 1) a.Fail();
    }
    if (version >= kVersionGameMemory) VisitMemory(a, g.memory);
    if (version >= kVersionHoldings) VisitHoldings(a, g.holdings);
}

std::optional<Game> Refuse(std::string* why, const char* reason) {
    if (why) *why = reason;
    return std::nullopt;
}

}  // namespace

std::vector<std::uint8_t> EncodeSave(const Game& game, std::uint32_t version) {
    std::vector<std::uint8_t> payload;
    Writer writer(payload);
    VisitGame(writer, game, version);
    std::vector<std::uint8_t> out(kSignature, kSignature + sizeof kSignature);
    kit::appendU32LE(out, version);
    kit::appendU32LE(out, static_cast<std::uint32_t>(payload.size()));
    kit::appendU32LE(out, Crc32(payload));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::optional<Game> DecodeSave(std::span<const std::uint8_t> bytes, std::string* why) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kSignature, sizeof kSignature))
        return Refuse(why, "not a saved game");
    const std::uint32_t version = kit::readU32LE(bytes, 8);
    if (version > kSaveVersion) return Refuse(why, "saved by a newer version");
    if (version < kVersionFirst) return Refuse(why, "unknown version");
    const auto payload = bytes.subspan(kHeaderSize);
    if (kit::readU32LE(bytes, 12) != payload.size()) return Refuse(why, "truncated or too long");
    if (kit::readU32LE(bytes, 16) != Crc32(payload)) return Refuse(why, "checksum mismatch");
    Game game;
    Reader reader(payload);
    VisitGame(reader, game, version);
    if (!reader.Ok() || !reader.AtEnd()) return Refuse(why, "damaged contents");
    if (game.mode > Mode::TextBoxMode) return Refuse(why, "damaged contents");
    return game;
}

}  // namespace save
