#pragma once

#include <QString>

/// The states of the lock keys, read from the keyboard LEDs the kernel exposes
/// (/sys/class/leds/*::capslock and the like). A key whose LED cannot be found reads as off.
struct LockKeyStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    bool operator==(const LockKeyStates&) const = default;
};

/// Reads the LEDs under `ledRoot` (the sysfs LED class folder, or a test's stand-in).
LockKeyStates ReadLockKeys(const QString& ledRoot = QStringLiteral("/sys/class/leds"));
