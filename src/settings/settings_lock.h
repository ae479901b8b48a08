#pragma once

#include <QString>

// Keeps two rulers from cutting into each other's read-change-replace of one
// settings file, for the moment of one write.
//
// The lock is the kernel's (flock) on the folder that holds the file: the
// kernel lets it go when a process dies, so no lock is ever left stale, and
// nothing is created or written for it. Where no lock can be had within a
// few seconds (a ruler stopped in the middle of a write), the write goes
// ahead without it.
class SettingsLock
{
public:
    explicit SettingsLock(const QString &settingsPath);
    ~SettingsLock();

    SettingsLock(const SettingsLock &) = delete;
    SettingsLock &operator=(const SettingsLock &) = delete;

private:
    int m_folder = -1; // the locked folder, open
};
