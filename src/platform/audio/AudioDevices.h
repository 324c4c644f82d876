#pragma once

#include <QString>
#include <functional>
#include <memory>

// What the sound module (loaded on the first sound, see AudioModule.h) hands to the program: a
// ring device and a message device. Plain C++ with inline members only, so that the program and
// the module, which each hold their own copy of this header's code, agree on it without sharing
// any symbol. The callbacks run on the thread that made the device.

class RingDevice {
public:
    virtual ~RingDevice() = default;
    // Plays (or queues) a wave sound; the finished callback runs once for every play, in order.
    virtual void play(const QString& wavPath) = 0;
};

class MessageDevice {
public:
    virtual ~MessageDevice() = default;
    virtual bool open(const QString& path, QString* errorText) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};

class AudioDeviceMaker {
public:
    virtual ~AudioDeviceMaker() = default;
    virtual std::unique_ptr<RingDevice> newRing(std::function<void()> finished) = 0;
    virtual std::unique_ptr<MessageDevice> newMessagePlayer(std::function<void()> ended) = 0;
};

using AudioLogFunction = void (*)(const QString& text);

// The module's one exported function: the maker of its devices, which write their log lines
// through `log`. The name carries the version of this interface.
#define NIRVO_AUDIO_ENTRY "nirvo_audio_devices_v1"
using AudioEntryFunction = AudioDeviceMaker* (*)(AudioLogFunction log);
