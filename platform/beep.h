#pragma once

// The system beep: a short tone. Never blocks and is harmless with no audio device.
class Beep {
public:
    virtual ~Beep() = default;
    virtual void suona() = 0;
};
