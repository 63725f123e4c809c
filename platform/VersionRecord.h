#pragma once

#include <QString>

// The program's version record: names and numbers fixed at build time.
class VersionRecord {
public:
    static QString ProductName();  // "58213"
    static QString Comments();  // the product description
    static QString Title();  // the application title, also the executable's name
    static int Major();
    static int Minor();
    static int Revision();
    static QString FileDescription();  // the build number
    // "<major>.<minor>.<revision>"
    static QString VersionText();
};
