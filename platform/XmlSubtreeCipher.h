#pragma once

#include <QDomElement>
#include <QString>

// Keyed encryption of an element's subtree. Enciphering replaces the
// element's children by one text node: the subtree, compressed (the key-less
// step) and then encrypted with AES-256-GCM under a key derived from the pass
// phrase, in base64. Deciphering restores the children; a wrong pass phrase,
// a changed byte or a foreign text fails the authentication and changes
// nothing.
class XmlSubtreeCipher {
public:
    static bool Encipher(QDomElement& element, const QString& passPhrase);
    static bool Decipher(QDomElement& element, const QString& passPhrase);
};
