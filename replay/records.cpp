// Writing and reading one record at a time.
#include "replay/records.h"

namespace {

enum Tag : std::uint8_t {
    TickOfTimer = 0x10,  // + the timer's number, 0..15
    OtherTick = 0x20,
    KeyDown = 0x21,
    KeyUp = 0x22,
    Menu = 0x23,
    DoubleClick = 0x24,
    NoHighScore = 0x30,
    HighScoreBytes = 0x31,
    DeviceCount = 0x32,
    InputText = 0x33,
    MessageClosed = 0x34,
};

void writeEvent(ByteWriter& out, const GameEvent& event) {
    switch (event.kind) {
    case GameEvent::Kind::Tick:
        if (event.timer >= 0 && event.timer < 16) {
            out.byte(static_cast<std::uint8_t>(TickOfTimer + event.timer));
        } else {
            out.byte(OtherTick);
            out.signedVarint(event.timer);
        }
        return;
    case GameEvent::Kind::KeyDown:
    case GameEvent::Kind::KeyUp:
        out.byte(event.kind == GameEvent::Kind::KeyDown ? KeyDown : KeyUp);
        out.signedVarint(event.keyCode);
        out.signedVarint(event.shift);
        return;
    case GameEvent::Kind::Menu:
        out.byte(Menu);
        out.signedVarint(event.menu);
        out.signedVarint(event.item);
        return;
    case GameEvent::Kind::DoubleClick: out.byte(DoubleClick); return;
    }
}

void writeRecord(ByteWriter& out, const ReplayRecord& record, std::uint32_t& lastTime) {
    switch (record.kind) {
    case ReplayRecord::Kind::Event:
        writeEvent(out, record.event);
        out.varint(record.milliseconds - lastTime);
        lastTime = record.milliseconds;
        return;
    case ReplayRecord::Kind::HighScoreRead:
        if (!record.bytes) {
            out.byte(NoHighScore);
        } else {
            out.byte(HighScoreBytes);
            out.blob(*record.bytes);
        }
        return;
    case ReplayRecord::Kind::DeviceCount:
        out.byte(DeviceCount);
        out.signedVarint(record.count);
        return;
    case ReplayRecord::Kind::InputText:
        out.byte(InputText);
        out.blob(record.text.toUtf8());
        return;
    case ReplayRecord::Kind::MessageClosed: out.byte(MessageClosed); return;
    }
}

std::int16_t smallNumber(ByteReader& in) {
    const std::int64_t value = in.signedVarint();
    return static_cast<std::int16_t>(value);
}

}  // namespace

RecordStream::RecordStream(const QByteArray& bytes, std::uint32_t count, std::uint32_t lastTime)
    : count_(count), lastTime_(lastTime) {
    out_.raw(bytes);
}

void RecordStream::add(const ReplayRecord& record) {
    writeRecord(out_, record, lastTime_);
    ++count_;
}

bool RecordReader::next(ReplayRecord& record) {
    const std::uint8_t tag = in_.byte();
    record = ReplayRecord();
    if (tag >= TickOfTimer && tag < TickOfTimer + 16) {
        record.event = GameEvent::tick(tag - TickOfTimer);
    } else if (tag == OtherTick) {
        record.event = GameEvent::tick(smallNumber(in_));
    } else if (tag == KeyDown || tag == KeyUp || tag == Menu) {
        const std::int16_t first = smallNumber(in_);
        const std::int16_t second = smallNumber(in_);
        record.event = tag == KeyDown ? GameEvent::keyDown(first, second)
                       : tag == KeyUp ? GameEvent::keyUp(first, second)
                                      : GameEvent::menuCommand(first, second);
    } else if (tag == DoubleClick) {
        record.event = GameEvent::doubleClick();
    } else if (tag == NoHighScore) {
        record.kind = ReplayRecord::Kind::HighScoreRead;
    } else if (tag == HighScoreBytes) {
        record.kind = ReplayRecord::Kind::HighScoreRead;
        record.bytes = in_.blob();
    } else if (tag == DeviceCount) {
        record.kind = ReplayRecord::Kind::DeviceCount;
        record.count = static_cast<int>(in_.signedVarint());
    } else if (tag == InputText) {
        record.kind = ReplayRecord::Kind::InputText;
        record.text = QString::fromUtf8(in_.blob());
    } else if (tag == MessageClosed) {
        record.kind = ReplayRecord::Kind::MessageClosed;
    } else {
        return false;
    }
    if (record.kind == ReplayRecord::Kind::Event) {
        const std::uint64_t step = in_.varint();
        if (step > 0xFFFFFFFFu - lastTime_) return false;
        lastTime_ = static_cast<std::uint32_t>(lastTime_ + step);
        record.milliseconds = lastTime_;
    }
    return in_.ok();
}

std::vector<ReplayRecord> everyRecord(const RecordStream& records) {
    std::vector<ReplayRecord> all;
    RecordReader in(records);
    ReplayRecord record;
    while (in.next(record)) all.push_back(record);
    return all;
}
