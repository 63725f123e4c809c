#include "platform/XmlSubtreeCipher.h"

#include <QDomDocument>
#include <memory>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <optional>

namespace {

constexpr int kSaltLength = 16;
constexpr int kIvLength = 12;
constexpr int kTagLength = 16;
constexpr int kKeyLength = 32;
constexpr int kIterations = 20000;
const QByteArray kMagic = QByteArrayLiteral("QX1");

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

std::optional<QByteArray> deriveKey(const QString& passPhrase, const QByteArray& salt)
{
    const QByteArray phrase = passPhrase.toUtf8();
    QByteArray key(kKeyLength, '\0');
    if (PKCS5_PBKDF2_HMAC(phrase.constData(), static_cast<int>(phrase.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()), static_cast<int>(salt.size()),
                          kIterations, EVP_sha256(), kKeyLength, reinterpret_cast<unsigned char*>(key.data())) != 1)
        return std::nullopt;
    return key;
}

unsigned char* bytes(QByteArray& data)
{
    return reinterpret_cast<unsigned char*>(data.data());
}
const unsigned char* bytes(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

std::optional<QByteArray> encrypt(const QByteArray& plain, const QString& passPhrase)
{
    QByteArray salt(kSaltLength, '\0');
    QByteArray iv(kIvLength, '\0');
    if (RAND_bytes(bytes(salt), kSaltLength) != 1 || RAND_bytes(bytes(iv), kIvLength) != 1)
        return std::nullopt;
    const auto key = deriveKey(passPhrase, salt);
    CipherContext ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!key || !ctx)
        return std::nullopt;
    QByteArray cipher(plain.size() + kTagLength, '\0');
    QByteArray tag(kTagLength, '\0');
    int written = 0;
    int finalWritten = 0;
    if (EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, bytes(*key), bytes(iv)) != 1 ||
        EVP_EncryptUpdate(ctx.get(), bytes(cipher), &written, bytes(plain), static_cast<int>(plain.size())) != 1 ||
        EVP_EncryptFinal_ex(ctx.get(), bytes(cipher) + written, &finalWritten) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagLength, tag.data()) != 1)
        return std::nullopt;
    cipher.truncate(written + finalWritten);
    return kMagic + salt + iv + cipher + tag;
}

std::optional<QByteArray> decrypt(const QByteArray& sealed, const QString& passPhrase)
{
    const qsizetype overhead = kMagic.size() + kSaltLength + kIvLength + kTagLength;
    if (sealed.size() < overhead || !sealed.startsWith(kMagic))
        return std::nullopt;
    const QByteArray salt = sealed.mid(kMagic.size(), kSaltLength);
    const QByteArray iv = sealed.mid(kMagic.size() + kSaltLength, kIvLength);
    const QByteArray cipher = sealed.mid(kMagic.size() + kSaltLength + kIvLength, sealed.size() - overhead);
    QByteArray tag = sealed.right(kTagLength);
    const auto key = deriveKey(passPhrase, salt);
    CipherContext ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!key || !ctx)
        return std::nullopt;
    QByteArray plain(cipher.size() + kTagLength, '\0');
    int written = 0;
    int finalWritten = 0;
    if (EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, bytes(*key), bytes(iv)) != 1 ||
        EVP_DecryptUpdate(ctx.get(), bytes(plain), &written, bytes(cipher), static_cast<int>(cipher.size())) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagLength, tag.data()) != 1 ||
        EVP_DecryptFinal_ex(ctx.get(), bytes(plain) + written, &finalWritten) != 1)
        return std::nullopt;
    plain.truncate(written + finalWritten);
    return plain;
}

void removeChildren(QDomElement& element)
{
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
}

}  // namespace

bool XmlSubtreeCipher::Encipher(QDomElement& element, const QString& passPhrase)
{
    QDomDocument subtree;
    subtree.appendChild(subtree.importNode(element, true));
    const auto sealed = encrypt(qCompress(subtree.toByteArray(-1), 9), passPhrase);
    if (!sealed)
        return false;
    removeChildren(element);
    element.appendChild(element.ownerDocument().createTextNode(QString::fromLatin1(sealed->toBase64())));
    return true;
}

bool XmlSubtreeCipher::Decipher(QDomElement& element, const QString& passPhrase)
{
    const auto plain = decrypt(QByteArray::fromBase64(element.text().trimmed().toLatin1()), passPhrase);
    if (!plain)
        return false;
    QDomDocument subtree;
    if (!subtree.setContent(qUncompress(*plain)))
        return false;
    removeChildren(element);
    for (QDomNode child = subtree.documentElement().firstChild(); !child.isNull(); child = child.nextSibling())
        element.appendChild(element.ownerDocument().importNode(child, true));
    return true;
}
