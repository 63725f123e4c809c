#pragma once

// Weeks of service imports compressed into minutes: an embedded target, a
// number of 1-minute variables, and one service import every simulated
// hour up to the hour just ended, each from the facility's stored last-run
// date. Every fifth hour the facility's database is out of reach: that
// import finds nothing to import there and leaves the facility's last-run
// date, so the next one imports both hours. Prints resident memory and
// open file descriptors as the days pass, and at the end whether every
// slot was stored exactly once.
class SoakRun {
public:
    SoakRun(int days, int variables) : m_days(days), m_variables(variables) {}

    // 0 when every slot was stored once, memory grew under 10 % and no file
    // descriptor was left open.
    int Run();

    static int OpenFileDescriptors();

private:
    int m_days;
    int m_variables;
};
