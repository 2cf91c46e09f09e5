// Reads a song from our tracker-like text format.
#include "music/song_text.h"

#include <cctype>
#include <map>
#include <set>

#include "music/instrument.h"
#include "sound/recipe_text.h"

namespace music {
namespace {

using synth::parseNumber;
using synth::TextError;
using synth::TextLine;

constexpr int kMaxTitle = 20;  // the shortest title field of our formats
constexpr int kMinSpeed = 1, kMaxSpeed = 31;
constexpr int kMinTempo = 33, kMaxTempo = 255;
constexpr int kMaxChannels = 32;
constexpr int kMaxPan = 64;
constexpr int kMaxMix = 128;
constexpr int kMinRows = 4, kMaxRows = 200;
constexpr int kMaxRepeat = 256;
constexpr int kMinCycle = 8, kMaxCycle = 1024;
constexpr int kMaxMacroDepth = 8;
constexpr int kMaxTranspose = 48;
constexpr int kLowestNote = 0, kHighestNote = 127;
constexpr int kSemitonesPerOctave = 12;
constexpr int kLastTickNibble = 0x0F;
constexpr double kMaxInstrumentSeconds = 4.0;
constexpr double kMaxRatio = 16.0;
constexpr int kDefaultPan = 32;

struct TrackRef {
    std::string name;
    int transpose = 0;
    int repeat = 1;
};

struct ChannelPlan {
    int channel = 0;
    int line = 0;
    std::vector<TrackRef> refs;
};

struct PatternPlan {
    std::string name;
    int rows = 64;
    int line = 0;
    std::vector<ChannelPlan> channels;
};

struct Track {
    int instrument = 0;
    int line = 0;
    std::vector<Cell> cells;
};

bool isIdentifier(const std::string& word, bool upperFirst) {
    if (word.empty()) return false;
    unsigned char first = static_cast<unsigned char>(word[0]);
    if (upperFirst ? !std::isupper(first) : !std::islower(first)) return false;
    for (char c : word) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

int wholeNumber(const TextLine& line, size_t word, int low, int high) {
    double value = parseNumber(line, word, low, high);
    if (value != static_cast<int>(value)) {
        throw TextError(line.number, "'" + line.words[word] + "' is not a whole number");
    }
    return static_cast<int>(value);
}

void expectCount(const TextLine& line, size_t count) {
    if (line.words.size() != count + 1) {
        throw TextError(line.number, "'" + line.words[0] + "' takes " + std::to_string(count) +
                                         " value" + (count == 1 ? "" : "s"));
    }
}

// "c4", "f#3", "bb2": MIDI numbers, with c4 = 60.
int parseNote(const std::string& text, int line) {
    static const std::map<char, int> kSemitones = {{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5},
                                                   {'g', 7}, {'a', 9}, {'b', 11}};
    auto letter = kSemitones.find(text.empty() ? ' ' : text[0]);
    if (letter == kSemitones.end()) throw TextError(line, "'" + text + "' is not a note");
    int semitone = letter->second;
    size_t at = 1;
    if (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
        semitone += text[at] == '#' ? 1 : -1;
        ++at;
    }
    if (at + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
        throw TextError(line, "'" + text + "' is not a note");
    }
    return (text[at] - '0' + 1) * kSemitonesPerOctave + semitone;
}

int hexValue(const std::string& digits, int line) {
    if (digits.empty() || digits.size() > 2)
        throw TextError(line, "an effect takes two hex digits");
    int value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            throw TextError(line, "'" + digits + "' is not hexadecimal");
        }
        value = value * 16 + (std::isdigit(static_cast<unsigned char>(c))
                                  ? c - '0'
                                  : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return value;
}

// Formats read a zero as "as before" in different ways, so none is allowed.
void checkEffect(Effect effect, int param, int line) {
    int high = param >> 4, low = param & 0x0F;
    bool ok = param != 0;
    if (effect == Effect::kVibrato) ok = high && low;
    if (effect == Effect::kVolumeSlide) ok = (high == 0) != (low == 0) && high != 0xF && low != 0xF;
    if (effect == Effect::kNoteCut || effect == Effect::kNoteDelay) ok = param <= kLastTickNibble;
    if (!ok)
        throw TextError(line, "effect value " + std::to_string(param) + " is not allowed here");
}

void applyModifier(Cell& cell, const std::string& text, int line) {
    static const std::map<std::string, Effect> kEffects = {
        {"arp", Effect::kArpeggio}, {"vib", Effect::kVibrato},     {"port", Effect::kTonePorta},
        {"up", Effect::kPitchUp},   {"down", Effect::kPitchDown},  {"slide", Effect::kVolumeSlide},
        {"cut", Effect::kNoteCut},  {"delay", Effect::kNoteDelay}, {"ofs", Effect::kSampleOffset}};
    size_t split = 0;
    while (split < text.size() && std::isalpha(static_cast<unsigned char>(text[split]))) ++split;
    std::string name = text.substr(0, split), value = text.substr(split);
    if (name == "v") {
        TextLine number{line, {"v", value}};
        cell.volume = wholeNumber(number, 1, 0, kMaxVolume);
        return;
    }
    auto effect = kEffects.find(name);
    if (effect == kEffects.end()) throw TextError(line, "unknown effect '" + text + "'");
    cell.effect = effect->second;
    cell.param = static_cast<std::uint8_t>(hexValue(value, line));
    checkEffect(cell.effect, cell.param, line);
}

// "name", "name+5", "name-12*2".
TrackRef parseTrackRef(const std::string& word, int line) {
    TrackRef ref;
    std::string rest = word;
    size_t star = rest.find('*');
    if (star != std::string::npos) {
        ref.repeat = wholeNumber({line, {"*", rest.substr(star + 1)}}, 1, 1, kMaxRepeat);
        rest.erase(star);
    }
    size_t sign = rest.find_first_of("+-");
    if (sign != std::string::npos) {
        std::string amount = rest.substr(sign + (rest[sign] == '+' ? 1 : 0));
        ref.transpose =
            wholeNumber({line, {"transpose", amount}}, 1, -kMaxTranspose, kMaxTranspose);
        rest.erase(sign);
    }
    if (!isIdentifier(rest, false)) throw TextError(line, "'" + word + "' is not a track name");
    ref.name = rest;
    return ref;
}

class SongReader {
   public:
    Song read(const std::string& text) {
        for (const TextLine& line : synth::splitLines(text)) readLine(line);
        finishInstrument();
        buildPatterns();
        resolveOrder();
        checkSong();
        return std::move(song_);
    }

   private:
    enum class Block { kSong, kInstrument, kTrack, kPattern, kOrder };

    void readLine(const TextLine& line) {
        if (readKeyword(line)) return;
        switch (block_) {
            case Block::kInstrument:
                return readInstrumentLine(line);
            case Block::kTrack:
                return readTrackLine(line);
            case Block::kPattern:
                return readChannelLine(line);
            case Block::kOrder:
                return readOrderNames(line, 0);
            default:
                throw TextError(line.number, "unknown setting '" + line.words[0] + "'");
        }
    }

    bool readKeyword(const TextLine& line) {
        const std::string& key = line.words[0];
        static const std::set<std::string> kKeywords = {
            "title", "speed", "tempo",   "channels",   "pan",  "mix",
            "let",   "track", "pattern", "instrument", "order"};
        if (!kKeywords.count(key)) return false;
        finishInstrument();
        block_ = Block::kSong;
        if (key == "title") readTitle(line);
        if (key == "speed") song_.speed = oneNumber(line, kMinSpeed, kMaxSpeed);
        if (key == "tempo") song_.tempo = oneNumber(line, kMinTempo, kMaxTempo);
        if (key == "channels") song_.channels = oneNumber(line, 1, kMaxChannels);
        if (key == "mix") song_.mixVolume = oneNumber(line, 0, kMaxMix);
        if (key == "pan") readPans(line);
        if (key == "let") readMacro(line);
        if (key == "instrument") startInstrument(line);
        if (key == "track") startTrack(line);
        if (key == "pattern") startPattern(line);
        if (key == "order") {
            block_ = Block::kOrder;
            readOrderNames(line, 1);
        }
        return true;
    }

    int oneNumber(const TextLine& line, int low, int high) {
        expectCount(line, 1);
        return wholeNumber(line, 1, low, high);
    }

    void readTitle(const TextLine& line) {
        std::string title;
        for (size_t i = 1; i < line.words.size(); ++i) title += (i > 1 ? " " : "") + line.words[i];
        if (title.size() > kMaxTitle) throw TextError(line.number, "the title is too long");
        song_.title = title;
    }

    void readPans(const TextLine& line) {
        song_.pans.clear();
        for (size_t i = 1; i < line.words.size(); ++i) {
            song_.pans.push_back(wholeNumber(line, i, 0, kMaxPan));
        }
        pansLine_ = line.number;
    }

    void readMacro(const TextLine& line) {
        expectCount(line, 2);
        if (!isIdentifier(line.words[1], true)) {
            throw TextError(line.number, "a name from 'let' starts with a capital letter");
        }
        macros_[line.words[1]] = line.words[2];
    }

    // Instruments

    void startInstrument(const TextLine& line) {
        expectCount(line, 1);
        const std::string& name = line.words[1];
        if (!isIdentifier(name, false)) throw TextError(line.number, "bad instrument name");
        if (instrumentIndex_.count(name)) throw TextError(line.number, "'" + name + "' again");
        instrumentIndex_[name] = static_cast<int>(instrumentIndex_.size()) + 1;
        draft_ = InstrumentRecipe{};
        draft_.name = name;
        draft_.line = line.number;
        block_ = Block::kInstrument;
        inInstrument_ = true;
    }

    void readInstrumentLine(const TextLine& line) {
        const std::string& key = line.words[0];
        bool inLayer = !draft_.recipe.layers.empty();
        if (key == "layer") {
            expectCount(line, 0);
            draft_.recipe.layers.emplace_back();
            draft_.ratios.push_back(0.0);
            draft_.lengthGiven.push_back(false);
        } else if (key == "volume" && !inLayer) {
            draft_.volume = oneNumber(line, 0, kMaxVolume);
        } else if (key == "cycle" && !inLayer) {
            draft_.cycle = oneNumber(line, kMinCycle, kMaxCycle);
            if (draft_.cycle & (draft_.cycle - 1)) {
                throw TextError(line.number, "the cycle must be a power of two");
            }
        } else if (key == "length" && !inLayer) {
            expectCount(line, 1);
            draft_.length = parseNumber(line, 1, 0.001, kMaxInstrumentSeconds);
        } else if (key == "loop" && !inLayer) {
            expectCount(line, 1);
            draft_.loopSeconds = parseNumber(line, 1, 0.0, kMaxInstrumentSeconds);
        } else if (key == "ratio" && inLayer) {
            expectCount(line, 1);
            draft_.ratios.back() = parseNumber(line, 1, 1.0 / kMaxRatio, kMaxRatio);
        } else if (inLayer && synth::applyLayerSetting(draft_.recipe.layers.back(), line)) {
            if (key == "length") draft_.lengthGiven.back() = true;
        } else {
            throw TextError(line.number, "unknown instrument setting '" + key + "'");
        }
    }

    void finishInstrument() {
        if (!inInstrument_) return;
        inInstrument_ = false;
        song_.instruments.push_back(buildInstrument(std::move(draft_)));
    }

    // Tracks

    void startTrack(const TextLine& line) {
        if (line.words.size() < 2 || line.words.size() > 3) {
            throw TextError(line.number, "'track' takes a name and an instrument");
        }
        const std::string& name = line.words[1];
        if (!isIdentifier(name, false)) throw TextError(line.number, "bad track name");
        if (tracks_.count(name)) throw TextError(line.number, "track '" + name + "' again");
        Track& track = tracks_[name];
        track.line = line.number;
        if (line.words.size() == 3) track.instrument = instrumentNumber(line.words[2], line.number);
        currentTrack_ = &track;
        block_ = Block::kTrack;
    }

    int instrumentNumber(const std::string& name, int line) const {
        auto found = instrumentIndex_.find(name);
        if (found == instrumentIndex_.end()) {
            throw TextError(line, "no instrument '" + name + "' declared before");
        }
        return found->second;
    }

    void readTrackLine(const TextLine& line) {
        for (const std::string& word : line.words) {
            if (word == "|") continue;
            std::string body = word;
            int repeat = 1;
            size_t star = body.find('*');
            if (star != std::string::npos) {
                repeat = wholeNumber({line.number, {"*", body.substr(star + 1)}}, 1, 1, kMaxRepeat);
                body.erase(star);
            }
            Cell cell = parseCell(body, line.number, 0);
            if (cell.note >= 0 && cell.instrument == 0) cell.instrument = currentTrack_->instrument;
            if (cell.note >= 0 && cell.instrument == 0) {
                throw TextError(line.number, "'" + word + "' has no instrument");
            }
            currentTrack_->cells.insert(currentTrack_->cells.end(), repeat, cell);
        }
    }

    Cell parseCell(const std::string& text, int line, int depth) const {
        size_t split = text.find_first_of("@:");
        std::string head = text.substr(0, split);
        Cell cell;
        if (isIdentifier(head, true)) {
            auto macro = macros_.find(head);
            if (macro == macros_.end()) throw TextError(line, "no 'let " + head + "' before");
            if (depth >= kMaxMacroDepth) throw TextError(line, "'" + head + "' refers to itself");
            cell = parseCell(macro->second, line, depth + 1);
        } else if (head == "^") {
            cell.note = kNoteCut;
        } else if (head == "=") {
            cell.note = kNoteOff;
        } else if (head != ".") {
            cell.note = parseNote(head, line);
        }
        while (split != std::string::npos) {
            size_t next = text.find_first_of("@:", split + 1);
            std::string part =
                text.substr(split + 1, next == std::string::npos ? next : next - split - 1);
            if (text[split] == '@') {
                cell.instrument = instrumentNumber(part, line);
            } else {
                applyModifier(cell, part, line);
            }
            split = next;
        }
        return cell;
    }

    // Patterns and order

    void startPattern(const TextLine& line) {
        if (line.words.size() < 2 || line.words.size() > 3) {
            throw TextError(line.number, "'pattern' takes a name and a row count");
        }
        PatternPlan plan;
        plan.name = line.words[1];
        plan.line = line.number;
        if (!isIdentifier(plan.name, false)) throw TextError(line.number, "bad pattern name");
        if (patternIndex_.count(plan.name))
            throw TextError(line.number, "'" + plan.name + "' again");
        if (line.words.size() == 3) plan.rows = wholeNumber(line, 2, kMinRows, kMaxRows);
        patternIndex_[plan.name] = static_cast<int>(plans_.size());
        plans_.push_back(plan);
        block_ = Block::kPattern;
    }

    void readChannelLine(const TextLine& line) {
        ChannelPlan channel;
        channel.line = line.number;
        channel.channel = wholeNumber(line, 0, 1, kMaxChannels);
        for (size_t i = 1; i < line.words.size(); ++i) {
            channel.refs.push_back(parseTrackRef(line.words[i], line.number));
        }
        for (const ChannelPlan& other : plans_.back().channels) {
            if (other.channel == channel.channel)
                throw TextError(line.number, "channel given twice");
        }
        plans_.back().channels.push_back(channel);
    }

    void readOrderNames(const TextLine& line, size_t first) {
        for (size_t i = first; i < line.words.size(); ++i) {
            orderNames_.push_back({line.words[i], line.number});
        }
    }

    void buildPatterns() {
        for (const PatternPlan& plan : plans_) {
            Pattern pattern;
            pattern.name = plan.name;
            pattern.rows = plan.rows;
            pattern.cells.assign(static_cast<size_t>(plan.rows) * song_.channels, Cell{});
            for (const ChannelPlan& channel : plan.channels) fillChannel(pattern, channel);
            song_.patterns.push_back(std::move(pattern));
        }
    }

    void fillChannel(Pattern& pattern, const ChannelPlan& plan) const {
        if (plan.channel > song_.channels) {
            throw TextError(plan.line,
                            "the song has only " + std::to_string(song_.channels) + " channels");
        }
        int row = 0;
        for (const TrackRef& ref : plan.refs) {
            auto track = tracks_.find(ref.name);
            if (track == tracks_.end()) throw TextError(plan.line, "no track '" + ref.name + "'");
            for (int pass = 0; pass < ref.repeat; ++pass) {
                for (Cell cell : track->second.cells) {
                    if (row >= pattern.rows) break;
                    if (cell.note >= 0) cell.note = transposed(cell.note, ref.transpose, plan.line);
                    pattern.at(row++, plan.channel - 1, song_.channels) = cell;
                }
                if (row >= pattern.rows) break;
            }
        }
        int wanted = rowsOf(plan);
        if (wanted != pattern.rows) {
            throw TextError(plan.line, "channel " + std::to_string(plan.channel) + " has " +
                                           std::to_string(wanted) + " rows of " +
                                           std::to_string(pattern.rows));
        }
    }

    int rowsOf(const ChannelPlan& plan) const {
        int rows = 0;
        for (const TrackRef& ref : plan.refs) {
            rows += static_cast<int>(tracks_.at(ref.name).cells.size()) * ref.repeat;
        }
        return rows;
    }

    static int transposed(int note, int by, int line) {
        int result = note + by;
        if (result < kLowestNote || result > kHighestNote) {
            throw TextError(line, "a transposed note leaves the range of notes");
        }
        return result;
    }

    void resolveOrder() {
        for (const auto& [name, line] : orderNames_) {
            auto found = patternIndex_.find(name);
            if (found == patternIndex_.end()) throw TextError(line, "no pattern '" + name + "'");
            song_.order.push_back(found->second);
        }
    }

    void checkSong() {
        if (song_.instruments.empty()) throw TextError(1, "the song has no instrument");
        if (song_.order.empty()) throw TextError(1, "the song has no order");
        if (song_.pans.empty()) song_.pans.assign(song_.channels, kDefaultPan);
        if (static_cast<int>(song_.pans.size()) != song_.channels) {
            throw TextError(pansLine_, "'pan' needs one value for each channel");
        }
    }

    Song song_;
    Block block_ = Block::kSong;
    InstrumentRecipe draft_;
    bool inInstrument_ = false;
    std::map<std::string, int> instrumentIndex_;
    std::map<std::string, std::string> macros_;
    std::map<std::string, Track> tracks_;
    Track* currentTrack_ = nullptr;
    std::map<std::string, int> patternIndex_;
    std::vector<PatternPlan> plans_;
    std::vector<std::pair<std::string, int>> orderNames_;
    int pansLine_ = 0;
};

}  // namespace

Song parseSong(const std::string& text) {
    return SongReader().read(text);
}

}  // namespace music
