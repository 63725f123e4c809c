#pragma once

#include <QString>
#include <QUrl>

// Where the Support menu sends a person: the maker's support site, named in
// the menu captions, with its knowledge base and its update area. The one
// place the site's name and addresses are set.
class SupportSite {
public:
    static QString Name();
    // The knowledge-base article with this interface's latest release notes.
    static QUrl ReleaseNotesAddress();
    // The support page listing the update packages of this interface.
    static QUrl UpdatesAddress();
};
