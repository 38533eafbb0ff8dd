// Each answer from outside is logged as it is given.
#include "replay/recordingplatform.h"

int RecordingPlatform::waveOutDeviceCount() {
    ReplayRecord record;
    record.kind = ReplayRecord::Kind::DeviceCount;
    record.count = outside_.waveOutDeviceCount();
    log_.answer(record);
    return record.count;
}

void RecordingPlatform::messageBox(const QString& text, const QString& title) {
    outside_.messageBox(text, title);
    ReplayRecord record;
    record.kind = ReplayRecord::Kind::MessageClosed;
    log_.answer(record);
}

QString RecordingPlatform::inputBox(const QString& prompt, const QString& title) {
    ReplayRecord record;
    record.kind = ReplayRecord::Kind::InputText;
    record.text = outside_.inputBox(prompt, title);
    log_.answer(record);
    return record.text;
}

std::optional<QByteArray> RecordingPlatform::read() {
    ReplayRecord record;
    record.kind = ReplayRecord::Kind::HighScoreRead;
    record.bytes = scores_.read();
    log_.answer(record);
    return record.bytes;
}
