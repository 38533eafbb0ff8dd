// One list of everything a game holds, walked by a writer to save it and
// by a reader to put it back.
#include "replay/gamestate.h"

#include <QImage>

#include <algorithm>
#include <cstring>
#include <vector>

#include "replay/bytes.h"
#include "resources/resources.h"
#include "shell/frmVorlane.h"

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

class Writer {
public:
    void operator()(bool value) { out.byte(value ? 1 : 0); }
    void operator()(std::int16_t value) { out.signedVarint(value); }
    void operator()(std::int32_t value) { out.signedVarint(value); }
    void operator()(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        out.fixed(bits, 4);
    }
    void operator()(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        out.fixed(bits, 8);
    }
    void operator()(const QString& value) { out.blob(value.toUtf8()); }
    void operator()(const QImage& value) {
        const QImage pixels = value.convertToFormat(QImage::Format_RGB32);
        out.varint(static_cast<std::uint64_t>(pixels.width()));
        out.varint(static_cast<std::uint64_t>(pixels.height()));
        for (int y = 0; y < pixels.height(); ++y)
            out.raw(QByteArray(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4));
    }
    template <class T, std::size_t N> void operator()(std::array<T, N>& values) {
        for (T& value : values) (*this)(value);
    }
    void layer(Layer& layer) {
        (*this)(static_cast<std::int32_t>(layer.left()));
        (*this)(static_cast<std::int32_t>(layer.top()));
        (*this)(layer.visible());
    }
    void operator()(Label& label) {
        (*this)(label.caption());
        layer(label);
    }
    void operator()(Image& image) {
        (*this)(image.picture());
        layer(image);
    }
    void operator()(Timer& timer) {
        (*this)(timer.interval());
        (*this)(timer.enabled());
    }
    void operator()(MenuItem& item) {
        (*this)(item.checked());
        (*this)(item.enabled());
        (*this)(item.visible());
    }
    void operator()(Surface& surface) {
        (*this)(surface.backColor());
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
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : in(bytes) {}

    void operator()(bool& value) { value = in.byte() != 0; }
    void operator()(std::int16_t& value) { value = static_cast<std::int16_t>(in.signedVarint()); }
    void operator()(std::int32_t& value) { value = static_cast<std::int32_t>(in.signedVarint()); }
    void operator()(float& value) {
        const auto bits = static_cast<std::uint32_t>(in.fixed(4));
        std::memcpy(&value, &bits, sizeof bits);
    }
    void operator()(double& value) {
        const std::uint64_t bits = in.fixed(8);
        std::memcpy(&value, &bits, sizeof bits);
    }
    void operator()(QString& value) { value = QString::fromUtf8(in.blob()); }
    void operator()(QImage& value) {
        const std::uint64_t width = in.varint(), height = in.varint();
        // The size is checked against the bytes there before any is taken.
        if (!in.ok() || width > 4096 || height > 4096 || width * height * 4 > static_cast<std::uint64_t>(in.left())) {
            in.raw(-1);
            value = QImage();
            return;
        }
        value = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
        for (int y = 0; y < value.height(); ++y) {
            const QByteArray row = in.raw(static_cast<std::int64_t>(width) * 4);
            std::memcpy(value.scanLine(y), row.constData(), static_cast<std::size_t>(row.size()));
        }
    }
    template <class T, std::size_t N> void operator()(std::array<T, N>& values) {
        for (T& value : values) (*this)(value);
    }
    void layer(Layer& layer) {
        std::int32_t left = 0, top = 0;
        bool visible = false;
        (*this)(left);
        (*this)(top);
        (*this)(visible);
        layer.move(left, top);
        layer.setVisible(visible);
    }
    void operator()(Label& label) {
        QString caption;
        (*this)(caption);
        label.setCaption(caption);
        layer(label);
    }
    void operator()(Image& image) {
        QImage picture;
        (*this)(picture);
        if (!picture.isNull()) image.setPicture(picture);
        layer(image);
    }
    void operator()(Timer& timer) {
        Long interval = 0;
        bool enabled = false;
        (*this)(interval);
        (*this)(enabled);
        timer.setInterval(interval);
        timer.setEnabled(enabled);
    }
    void operator()(MenuItem& item) {
        bool checked = false, enabled = false, visible = false;
        (*this)(checked);
        (*this)(enabled);
        (*this)(visible);
        item.setChecked(checked);
        item.setEnabled(enabled);
        item.setVisible(visible);
    }
    // Last of all, over whatever the controls repainted.
    void operator()(Surface& surface) {
        Long back = 0;
        QImage frame;
        (*this)(back);
        (*this)(frame);
        surface.setBackColor(back);
        if (in.ok() && frame.size() == surface.image().size()) surface.restore(againstStarfield(frame));
    }

    ByteReader in;
};

template <class Io> void walkGame(Io& io, frmVorlane& f) {
    io(f.caption);
    for (Label* label : f.labels()) io(*label);
    io(f.Image36);
    io(f.Imgmothership);
    for (Image& image : f.imgbases) io(image);
    for (Image& image : f.inv) io(image);
    for (Timer* timer : {&f.Timer1, &f.Timer2, &f.Timer3, &f.Timer4, &f.Timer6}) io(*timer);
    for (MenuItem* menu : f.menuBar()) {
        io(*menu);
        for (MenuItem* item : menu->items()) io(*item);
    }

    io(f.intGameState);
    io(f.dblScore);
    io(f.dblHighScore);
    io(f.strHighName);
    io(f.blnNewHigh);
    io(f.intLives);
    io(f.intWave);
    io(f.intKills);
    io(f.intRating);
    io(f.arrRating);
    io(f.sngDelay);
    io(f.blnBombSpeedHigh);
    io(f.intMissileSpeed);
    io(f.intBombCount);
    io(f.blnSound);
    io(f.blnWaveDevice);

    io(f.arrInvX);
    io(f.arrInvY);
    io(f.arrInvDead);
    io(f.sngStepX);
    io(f.sngReverseFactor);
    io(f.sngDropStep);
    io(f.blnEdgeHit);
    io(f.intInvasionLevel);
    io(f.intLowestInv);
    io(f.sngLowestY);
    io(f.intColStep);
    io(f.intRowStep);
    io(f.sngFormTop);
    io(f.blnInvFrame);
    io(f.intNote);

    io(f.intShipX);
    io(f.intShipY);
    io(f.intShipDir);
    io(f.blnMissile);
    io(f.intMissileX);
    io(f.intMissileY);
    io(f.blnOtherKey);

    io(f.arrBombX);
    io(f.arrBombY);
    io(f.arrBombSpeed);

    io(f.blnMotherActive);
    io(f.intMotherX);
    io(f.intMotherY);
    io(f.intMotherDY);
    io(f.intMotherBob);
    io(f.blnMotherSound);
    io(f.intBonusFactor);
    io(f.intBonusTicks);

    io(f.intI);
    io(f.intJ);
    io(f.intK);
    io(f.varDotX);
    io(f.sngDotY);

    io(f.intStarX);
    io(f.intStarDX);
    io(f.intStarY);
    io(f.intStarDY);
    io(f.intStarLife);
    io(f.intStarStep);
    io(f.intDemoHold);
    io(f.intDemoCount);
    io(f.intDemoMove);

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

bool restoreGameState(frmVorlane& form, const QByteArray& packed) {
    // qUncompress trusts the length in front: it is checked first.
    if (packed.size() < 4) return false;
    const std::uint32_t length = (std::uint32_t(std::uint8_t(packed[0])) << 24) |
                                 (std::uint32_t(std::uint8_t(packed[1])) << 16) |
                                 (std::uint32_t(std::uint8_t(packed[2])) << 8) | std::uint8_t(packed[3]);
    if (length > LargestState) return false;
    const QByteArray bytes = qUncompress(packed);
    if (bytes.isEmpty()) return false;
    Reader reader(bytes);
    walkGame(reader, form);
    return reader.in.ok() && reader.in.left() == 0;
}
