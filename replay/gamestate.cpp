// One list of everything a game holds, each number with what the game can
// make of it, walked by a writer to save it and by a reader that puts it
// back only where it fits: a replay is a stranger's file.
#include "replay/gamestate.h"

#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "replay/bytes.h"
#include "resources/resources.h"
#include "shell/frmVorlane.h"
#include "shell/picturefile.h"

namespace {

// A state is never larger than this uncompressed: the play area's pixels
// and the pictures are most of it.
constexpr std::uint32_t LargestState = 4 * 1024 * 1024;

// The play area's pixels, told apart from the starfield so that the
// black sky and the stars compress to almost nothing.
QImage againstStarfield(const QImage& frame) {
    QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    const QImage stars = starfieldPicture().convertToFormat(QImage::Format_RGB32);
    const int width = std::min(pixels.width(), stars.width()), height = std::min(pixels.height(), stars.height());
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        const auto* star = reinterpret_cast<const QRgb*>(stars.constScanLine(y));
        for (int x = 0; x < width; ++x) row[x] ^= star[x];
    }
    return pixels;
}

// What a number of the game may hold when a replay puts it back: every
// value the game can reach, with room to spare where working it out to the
// last pixel would turn away a genuine game. Anything outside is no game
// this program played, and could make it write past an array, draw at
// no place there is or wait for ever.
template <class T> struct Within {
    T least, most;
};

// Where an invader, a bomb or a control can be: the play area and far
// beyond it. In the last waves the step after a hit (15 px, 7 % faster and
// up to 328 times as fast again) throws the formation thousands of pixels
// past a side before the next march turns it.
constexpr Within<Single> Place{-8192, 8192};
constexpr Within<Long> LayerPlace{-8192, 8192};
constexpr Within<Single> Step{-6000, 6000};
// No caption or name of the game comes near this many characters: the
// longest is the status line with the largest high score "HS" can hold.
constexpr int LongestText = 1024;
constexpr Within<Double> Score{0, std::numeric_limits<Double>::max()};
constexpr Within<Long> Colour{0, 0xFFFFFF};

class Writer {
public:
    void operator()(bool value) { out.byte(value ? 1 : 0); }
    template <class T> void operator()(T value, Within<T>) { number(value); }
    void operator()(const QString& value, int) { out.blob(value.toUtf8()); }
    void operator()(const QImage& value) {
        const QImage pixels = value.convertToFormat(QImage::Format_RGB32);
        out.varint(static_cast<std::uint64_t>(pixels.width()));
        out.varint(static_cast<std::uint64_t>(pixels.height()));
        for (int y = 0; y < pixels.height(); ++y)
            out.raw(QByteArray(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4));
    }
    template <std::size_t N> void operator()(std::array<bool, N>& values) {
        for (bool value : values) (*this)(value);
    }
    template <class T, std::size_t N, class Range> void operator()(std::array<T, N>& values, Range range) {
        for (T& value : values) (*this)(value, range);
    }
    void layer(Layer& layer) {
        (*this)(static_cast<Long>(layer.left()), LayerPlace);
        (*this)(static_cast<Long>(layer.top()), LayerPlace);
        (*this)(layer.visible());
    }
    void operator()(Label& label) {
        (*this)(label.caption(), LongestText);
        layer(label);
    }
    void operator()(Image& image) {
        (*this)(image.picture());
        layer(image);
    }
    void operator()(Timer& timer, Within<Long> range) {
        (*this)(timer.interval(), range);
        (*this)(timer.enabled());
    }
    void operator()(MenuItem& item) {
        (*this)(item.checked());
        (*this)(item.enabled());
        (*this)(item.visible());
    }
    void operator()(Surface& surface) {
        (*this)(surface.backColor(), Colour);
        if (textBoxes.empty()) {
            (*this)(againstStarfield(surface.image()));
            return;
        }
        QImage frame = surface.image().copy();
        for (const QRect& box : textBoxes) {
            const QRect inside = box & frame.rect();
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(frame.scanLine(y)) + inside.left(), inside.width(), 0);
        }
        (*this)(againstStarfield(frame));
    }

    ByteWriter out;
    // Boxes of the play area whose pixels are left out.
    std::vector<QRect> textBoxes;

private:
    void number(std::int16_t value) { out.signedVarint(value); }
    void number(std::int32_t value) { out.signedVarint(value); }
    void number(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        out.fixed(bits, 4);
    }
    void number(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        out.fixed(bits, 8);
    }
};

// Puts each value back only once it is known to be one the game can hold;
// the first that is not marks the state as damaged.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : in(bytes) {}

    bool sound() const { return !damaged && in.ok() && in.left() == 0; }

    void operator()(bool& value) {
        const std::uint8_t byte = in.byte();
        if (byte > 1) return refuse();
        value = byte == 1;
    }
    template <class T> void operator()(T& value, Within<T> range) {
        const auto read = number(value);
        // A NaN is within no range.
        if (!in.ok() || !(range.least <= read && read <= range.most)) return refuse();
        value = static_cast<T>(read);
    }
    void operator()(QString& value, int longest) {
        const QString read = QString::fromUtf8(in.blob());
        if (read.size() > longest) return refuse();
        value = read;
    }
    // At most as large as a picture beside the program may be, and never
    // more pixels than there are bytes left.
    void operator()(QImage& value) {
        const std::uint64_t width = in.varint(), height = in.varint();
        if (!in.ok() || width > LargestPictureSide || height > LargestPictureSide ||
            width * height * 4 > static_cast<std::uint64_t>(in.left())) {
            in.raw(-1);
            return refuse();
        }
        value = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
        for (int y = 0; y < value.height(); ++y) {
            const QByteArray row = in.raw(static_cast<std::int64_t>(width) * 4);
            std::memcpy(value.scanLine(y), row.constData(), static_cast<std::size_t>(row.size()));
        }
    }
    template <std::size_t N> void operator()(std::array<bool, N>& values) {
        for (bool& value : values) (*this)(value);
    }
    template <class T, std::size_t N, class Range> void operator()(std::array<T, N>& values, Range range) {
        for (T& value : values) (*this)(value, range);
    }
    void layer(Layer& layer) {
        Long left = 0, top = 0;
        bool visible = false;
        (*this)(left, LayerPlace);
        (*this)(top, LayerPlace);
        (*this)(visible);
        if (damaged) return;
        layer.move(left, top);
        layer.setVisible(visible);
    }
    void operator()(Label& label) {
        QString caption;
        (*this)(caption, LongestText);
        if (!damaged) label.setCaption(caption);
        layer(label);
    }
    void operator()(Image& image) {
        QImage picture;
        (*this)(picture);
        if (!damaged && !picture.isNull()) image.setPicture(picture);
        layer(image);
    }
    void operator()(Timer& timer, Within<Long> range) {
        Long interval = 0;
        bool enabled = false;
        (*this)(interval, range);
        (*this)(enabled);
        if (damaged) return;
        timer.setInterval(interval);
        timer.setEnabled(enabled);
    }
    void operator()(MenuItem& item) {
        bool checked = false, enabled = false, visible = false;
        (*this)(checked);
        (*this)(enabled);
        (*this)(visible);
        if (damaged) return;
        item.setChecked(checked);
        item.setEnabled(enabled);
        item.setVisible(visible);
    }
    // Last of all, over whatever the controls repainted: the whole play
    // area, of its own size.
    void operator()(Surface& surface) {
        Long back = 0;
        QImage frame;
        (*this)(back, Colour);
        (*this)(frame);
        if (frame.size() != surface.image().size()) refuse();
        if (damaged) return;
        surface.setBackColor(back);
        surface.restore(againstStarfield(frame));
    }

    ByteReader in;

private:
    void refuse() { damaged = true; }
    std::int64_t number(std::int16_t) { return in.signedVarint(); }
    std::int64_t number(std::int32_t) { return in.signedVarint(); }
    float number(float) {
        const auto bits = static_cast<std::uint32_t>(in.fixed(4));
        float value;
        std::memcpy(&value, &bits, sizeof bits);
        return value;
    }
    double number(double) {
        const std::uint64_t bits = in.fixed(8);
        double value;
        std::memcpy(&value, &bits, sizeof bits);
        return value;
    }

    bool damaged = false;
};

// Every part of the game, each number with what it may hold. A field added
// to the game goes here, with its range, or replays do not keep it.
template <class Io> void walkGame(Io& io, frmVorlane& f) {
    io(f.caption, LongestText);
    for (Label* label : f.labels()) io(*label);
    io(f.Image36);
    io(f.Imgmothership);
    for (Image& image : f.imgbases) io(image);
    for (Image& image : f.inv) io(image);
    // The beat: 1000 ms at a wave's start, 7 % quicker at every edge and
    // hit, never below 50. The main tick as the speed keys set it. The
    // status line, the star and the demo pilot never change.
    io(f.Timer1, Within<Long>{50, 1000});
    io(f.Timer2, Within<Long>{2, 500});
    io(f.Timer3, Within<Long>{500, 500});
    io(f.Timer4, Within<Long>{60, 60});
    io(f.Timer6, Within<Long>{30, 30});
    for (MenuItem* menu : f.menuBar()) {
        io(*menu);
        for (MenuItem* item : menu->items()) io(*item);
    }

    // Between events no game is ending, and the rating is worked out
    // from nothing at every game over.
    io(f.intGameState, Within<Integer>{0, 1});
    io(f.dblScore, Score);
    io(f.dblHighScore, Score);
    io(f.strHighName, LongestText);
    io(f.blnNewHigh);
    io(f.intLives, Within<Integer>{0, 5});
    io(f.intWave, Within<Integer>{1, 32767});
    io(f.intKills, Within<Integer>{0, 29});
    io(f.intRating, Within<Integer>{0, 0});
    io(f.arrRating, LongestText);
    io(f.sngDelay, Within<Single>{0, 0});
    io(f.blnBombSpeedHigh);
    io(f.intMissileSpeed, Within<Integer>{1, 4});
    io(f.intBombCount, Within<Integer>{1, 30});
    io(f.blnSound);
    io(f.blnWaveDevice);

    io(f.arrInvX, Place);
    io(f.arrInvY, Place);
    io(f.arrInvDead);
    io(f.sngStepX, Step);
    io(f.sngReverseFactor, Within<Single>{-1.04f, 0});
    io(f.sngDropStep, Within<Single>{0, 20});
    io(f.blnEdgeHit);
    io(f.intInvasionLevel, Within<Integer>{0, 2});
    io(f.intLowestInv, Within<Integer>{0, 30});
    io(f.sngLowestY, Place);
    io(f.intColStep, Within<Integer>{0, 46});
    io(f.intRowStep, Within<Integer>{0, 40});
    io(f.sngFormTop, Within<Single>{0, 230});
    io(f.blnInvFrame);
    io(f.intNote, Within<Integer>{0, 4});

    io(f.intShipX, Within<Integer>{0, Surface::Width});
    io(f.intShipY, Within<Integer>{0, Surface::Height});
    io(f.intShipDir, Within<Integer>{-1, 1});
    io(f.blnMissile);
    io(f.intMissileX, Within<Integer>{0, Surface::Width});
    io(f.intMissileY, Within<Integer>{0, Surface::Height});
    io(f.blnOtherKey);

    io(f.arrBombX, Place);
    io(f.arrBombY, Place);
    io(f.arrBombSpeed, Within<Single>{0, 64});

    io(f.blnMotherActive);
    io(f.intMotherX, Within<Integer>{-100, 653});
    // The mothership rocks seven pixels about its row, and a game over in
    // the middle of a pass sets it rocking downwards afresh.
    io(f.intMotherY, Within<Integer>{0, 200});
    io(f.intMotherDY, Within<Integer>{-1, 1});
    io(f.intMotherBob, Within<Integer>{0, 6});
    io(f.blnMotherSound);
    io(f.intBonusFactor, Within<Integer>{0, 40});
    io(f.intBonusTicks, Within<Integer>{0, 20});

    // Where the last loops left the shared indices: the game over's 10000
    // boxes, the explosion's 10000 circles, a box's row.
    io(f.intI, Within<Integer>{0, 10001});
    io(f.intJ, Within<Integer>{0, 10001});
    io(f.intK, Within<Integer>{0, 479});
    io(f.varDotX, Within<Single>{-12, 12});
    io(f.sngDotY, Within<Single>{-12, 12});

    io(f.intStarX, Within<Integer>{-1024, 2048});
    io(f.intStarDX, Within<Integer>{-29, 29});
    io(f.intStarY, Within<Integer>{0, 224});
    io(f.intStarDY, Within<Integer>{0, 24});
    io(f.intStarLife, Within<Integer>{0, 149});
    io(f.intStarStep, Within<Integer>{0, 150});
    io(f.intDemoHold, Within<Integer>{0, 19});
    io(f.intDemoCount, Within<Integer>{0, 20});
    io(f.intDemoMove, Within<Integer>{0, 2});

    io(f.surface);
}

}  // namespace

QByteArray saveGameState(frmVorlane& form) {
    Writer writer;
    walkGame(writer, form);
    return writer.out.bytes();
}

QByteArray saveGameStateWithoutText(frmVorlane& form) {
    Writer writer;
    for (const Label* label : form.labels())
        if (label->visible()) writer.textBoxes.push_back(label->rect());
    walkGame(writer, form);
    return writer.out.bytes();
}

QByteArray packGameState(const QByteArray& state) { return qCompress(state); }

// The packed form is the length, four bytes big-endian, and the deflated
// bytes. The length is checked before anything is made of it, and zlib is
// asked directly: Qt would say on the terminal what is wrong with a
// stranger's bytes.
std::optional<QByteArray> unpackGameState(const QByteArray& packed) {
    if (packed.size() < 4) return std::nullopt;
    const std::uint32_t length = (std::uint32_t(std::uint8_t(packed[0])) << 24) |
                                 (std::uint32_t(std::uint8_t(packed[1])) << 16) |
                                 (std::uint32_t(std::uint8_t(packed[2])) << 8) | std::uint8_t(packed[3]);
    if (length == 0 || length > LargestState) return std::nullopt;
    QByteArray state(static_cast<qsizetype>(length), Qt::Uninitialized);
    uLongf unpacked = length;
    if (uncompress(reinterpret_cast<Bytef*>(state.data()), &unpacked,
                   reinterpret_cast<const Bytef*>(packed.constData()) + 4, static_cast<uLong>(packed.size() - 4)) !=
            Z_OK ||
        unpacked != length)
        return std::nullopt;
    return state;
}

bool restoreGameState(frmVorlane& form, const QByteArray& packed) {
    const std::optional<QByteArray> bytes = unpackGameState(packed);
    if (!bytes) return false;
    Reader reader(*bytes);
    walkGame(reader, form);
    return reader.sound();
}
