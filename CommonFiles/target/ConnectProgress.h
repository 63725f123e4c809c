#pragma once

// The small window a person sees while a target connection is opened.
class ConnectProgress {
public:
    virtual ~ConnectProgress() = default;
    virtual void ShowConnecting() = 0;
    virtual void HideConnecting() = 0;
};
