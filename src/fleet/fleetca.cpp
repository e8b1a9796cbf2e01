#include "fleetca.h"

#include "ed25519key.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>

#include <ctime>
#include <memory>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

template<typename T, void (*Free)(T *)> struct Deleter
{
    void operator()(T *pointer) const { Free(pointer); }
};
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using Certificate = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using BigNumber = std::unique_ptr<BIGNUM, Deleter<BIGNUM, BN_free>>;
using Extension = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION, X509_EXTENSION_free>>;
using RevocationList = std::unique_ptr<X509_CRL, Deleter<X509_CRL, X509_CRL_free>>;
using Revoked = std::unique_ptr<X509_REVOKED, Deleter<X509_REVOKED, X509_REVOKED_free>>;
using Integer = std::unique_ptr<ASN1_INTEGER, Deleter<ASN1_INTEGER, ASN1_INTEGER_free>>;
using Time = std::unique_ptr<ASN1_TIME, Deleter<ASN1_TIME, ASN1_TIME_free>>;
using GeneralNames = std::unique_ptr<GENERAL_NAMES, Deleter<GENERAL_NAMES, GENERAL_NAMES_free>>;

const QString kCaKey = QStringLiteral("ca.key");
const QString kCaCertificate = QStringLiteral("ca.crt");
const QString kSerial = QStringLiteral("serial");
const QString kOperatorKey = QStringLiteral("operator.key");
const QString kOperatorPublic = QStringLiteral("operator.pub");
const QString kRevocationList = QStringLiteral("crl.pem");

// Servers refuse every client once the list they hold is past its next update. The operator
// copies it only when something is revoked, so it must outlast any CA made here; each change
// signs it anew and moves the date on.
constexpr int kRevocationListDays = 10 * 366;

// A device whose clock lags a little behind the operator's would otherwise refuse a certificate
// made a moment ago as not yet valid.
constexpr long kBackdateSeconds = 10 * 60;

// Takes OpenSSL's error queue with it, so that a failure here is never taken by Qt's TLS, which
// reads the same queue, for one of its own.
QString openSslErrors()
{
    QStringList reasons;
    while (const unsigned long code = ERR_get_error()) {
        char text[256];
        ERR_error_string_n(code, text, sizeof text);
        reasons << QString::fromLatin1(text);
    }
    return reasons.isEmpty() ? QStringLiteral("unknown OpenSSL error") : reasons.join(QStringLiteral("; "));
}

bool failed(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool failedInOpenSsl(QString *error, const QString &what)
{
    return failed(error, QStringLiteral("%1: %2").arg(what, openSslErrors()));
}

QByteArray bioBytes(BIO *bio)
{
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? QByteArray(data, int(size)) : QByteArray();
}

QByteArray keyPem(EVP_PKEY *key)
{
    Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return QByteArray();
    return bioBytes(bio.get());
}

QByteArray certificatePem(X509 *certificate)
{
    Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_X509(bio.get(), certificate) != 1)
        return QByteArray();
    return bioBytes(bio.get());
}

int noPassphrase(char *, int, int, void *)
{
    return -1;
}

Key readKey(const QByteArray &pem)
{
    Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
    return Key(bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, noPassphrase, nullptr) : nullptr);
}

Certificate readCertificate(const QByteArray &pem)
{
    Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
    return Certificate(bio ? PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr) : nullptr);
}

Key makeP256Key()
{
    return Key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
}

// Written under a temporary name and renamed: a crash leaves the old file or the new one, never
// half of one. A secret is only readable by its owner before the first byte of it is written.
bool writeFile(const QString &path, const QByteArray &data, bool secret, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    if (secret && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return failed(error, QStringLiteral("cannot make %1 private: %2").arg(path, file.errorString()));
    }
    if (file.write(data) != data.size() || !file.commit())
        return failed(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

bool readFile(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    *data = file.read(1024 * 1024);
    return true;
}

bool addExtension(X509 *certificate, X509 *issuer, int nid, const char *value, QString *error)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    Extension extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    if (!extension || X509_add_ext(certificate, extension.get(), -1) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot add %1").arg(QString::fromLatin1(value)));
    return true;
}

struct Request
{
    QString commonName;
    int days = 0;
    EVP_PKEY *subjectKey = nullptr;
    BIGNUM *serial = nullptr;
    X509 *issuer = nullptr; // null: self-signed
    EVP_PKEY *issuerKey = nullptr;
};

// The parts every certificate of the fleet shares: version 3, serial, names, validity, the
// subject's key. Extensions are added by the caller, then the whole is signed.
Certificate newCertificate(const Request &request, QString *error)
{
    Certificate certificate(X509_new());
    if (!certificate || X509_set_version(certificate.get(), X509_VERSION_3) != 1) {
        failedInOpenSsl(error, QStringLiteral("cannot make a certificate"));
        return Certificate();
    }
    if (!BN_to_ASN1_INTEGER(request.serial, X509_get_serialNumber(certificate.get()))) {
        failedInOpenSsl(error, QStringLiteral("cannot set the serial number"));
        return Certificate();
    }
    X509_NAME *subject = X509_get_subject_name(certificate.get());
    const QByteArray commonName = request.commonName.toUtf8();
    if (X509_NAME_add_entry_by_NID(subject, NID_commonName, MBSTRING_UTF8,
                                   reinterpret_cast<const unsigned char *>(commonName.constData()),
                                   commonName.size(), -1, 0) != 1) {
        // X.509 allows at most 64 characters here.
        failedInOpenSsl(error, QStringLiteral("\"%1\" cannot be a common name").arg(request.commonName));
        return Certificate();
    }
    X509_NAME *issuerName = request.issuer ? X509_get_subject_name(request.issuer) : subject;
    if (X509_set_issuer_name(certificate.get(), issuerName) != 1) {
        failedInOpenSsl(error, QStringLiteral("cannot set the issuer"));
        return Certificate();
    }
    // Negative days give a certificate for tests of refusal: a day of validity that ended
    // -days ago.
    const time_t now = time(nullptr);
    const bool expired = request.days < 0;
    const int endDay = request.days;
    const int beginDay = expired ? request.days - 1 : 0;
    const long beginSeconds = expired ? 0 : -kBackdateSeconds;
    if (!ASN1_TIME_adj(X509_getm_notBefore(certificate.get()), now, beginDay, beginSeconds) ||
        !ASN1_TIME_adj(X509_getm_notAfter(certificate.get()), now, endDay, 0)) {
        failedInOpenSsl(error, QStringLiteral("cannot set the validity"));
        return Certificate();
    }
    if (X509_set_pubkey(certificate.get(), request.subjectKey) != 1) {
        failedInOpenSsl(error, QStringLiteral("cannot set the key"));
        return Certificate();
    }
    return certificate;
}

bool signCertificate(X509 *certificate, EVP_PKEY *issuerKey, QString *error)
{
    if (X509_sign(certificate, issuerKey, EVP_sha256()) <= 0)
        return failedInOpenSsl(error, QStringLiteral("cannot sign the certificate"));
    return true;
}

// A random start for the serial numbers, below 2^127 so that it stays positive in DER's signed
// integers: two CAs (and a CA made again after a loss) do not hand out the same numbers.
BigNumber randomSerial()
{
    BigNumber serial(BN_new());
    if (serial && BN_rand(serial.get(), 127, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) == 1 &&
        BN_add_word(serial.get(), 1) == 1)
        return serial;
    return BigNumber();
}

QByteArray serialText(const BIGNUM *serial)
{
    char *hex = BN_bn2hex(serial);
    const QByteArray text = QByteArray(hex) + '\n';
    OPENSSL_free(hex);
    return text;
}

// The one spelling of a serial number (BN_bn2hex's: upper case, no leading zeros), whatever
// spelling it came in; empty when it is not a hexadecimal number.
QByteArray canonicalSerial(const QByteArray &hex)
{
    BIGNUM *read = nullptr;
    if (hex.isEmpty() || BN_hex2bn(&read, hex.constData()) != hex.size()) {
        BN_free(read);
        ERR_clear_error();
        return QByteArray();
    }
    const BigNumber serial(read);
    return serialText(serial.get()).trimmed();
}

QByteArray serialOf(const ASN1_INTEGER *integer)
{
    const BigNumber serial(ASN1_INTEGER_to_BN(integer, nullptr));
    return serial ? serialText(serial.get()).trimmed() : QByteArray();
}

bool isHostName(const QString &name)
{
    if (name.isEmpty() || name.size() > 253 || name.startsWith(QLatin1Char('.')) ||
        name.startsWith(QLatin1Char('-')))
        return false;
    for (const QChar c : name) {
        const ushort u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                        u == '-' || u == '.';
        if (!ok)
            return false;
    }
    return true;
}

// Built name by name rather than as the "IP:..., DNS:..." text of OpenSSL's configuration
// language, in which a comma inside a name would add a name of its own.
bool addSubjectAltNames(X509 *certificate, const QStringList &addresses, QString *error)
{
    GeneralNames names(sk_GENERAL_NAME_new_null());
    if (!names)
        return failedInOpenSsl(error, QStringLiteral("cannot list the addresses"));
    for (const QString &address : addresses) {
        GENERAL_NAME *name = nullptr;
        const QByteArray text = address.toLatin1();
        ASN1_OCTET_STRING *ip = a2i_IPADDRESS(text.constData());
        if (!ip)
            ERR_clear_error(); // not an address: perhaps a host name
        if (ip) {
            name = GENERAL_NAME_new();
            if (name)
                GENERAL_NAME_set0_value(name, GEN_IPADD, ip);
            else
                ASN1_OCTET_STRING_free(ip);
        } else if (isHostName(address)) {
            ASN1_IA5STRING *dns = ASN1_IA5STRING_new();
            if (dns && ASN1_STRING_set(dns, text.constData(), text.size()) == 1 &&
                (name = GENERAL_NAME_new()))
                GENERAL_NAME_set0_value(name, GEN_DNS, dns);
            else
                ASN1_IA5STRING_free(dns);
        } else {
            return failed(error,
                          QStringLiteral("\"%1\" is neither an IP address nor a host name").arg(address));
        }
        if (!name || !sk_GENERAL_NAME_push(names.get(), name)) {
            GENERAL_NAME_free(name);
            return failedInOpenSsl(error, QStringLiteral("cannot list %1").arg(address));
        }
    }
    if (X509_add1_ext_i2d(certificate, NID_subject_alt_name, names.get(), 0, X509V3_ADD_DEFAULT) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot add the addresses"));
    return true;
}

} // namespace

FleetCa::FleetCa(const QString &folder)
    : m_folder(folder)
{}

QString FleetCa::path(const QString &name) const
{
    return m_folder + QLatin1Char('/') + name;
}

bool FleetCa::init(const QString &commonName, int days, QString *error)
{
    if (commonName.isEmpty())
        return failed(error, QStringLiteral("the CA needs a name"));
    if (days <= 0)
        return failed(error, QStringLiteral("the CA must be valid for at least a day"));
    for (const QString &name :
         {kCaKey, kCaCertificate, kSerial, kRevocationList, kOperatorKey, kOperatorPublic}) {
        if (QFileInfo::exists(path(name)))
            return failed(
                error, QStringLiteral("%1 already holds a CA (%2); it is not replaced").arg(m_folder, name));
    }
    if (!QFileInfo::exists(m_folder)) {
        if (!QDir().mkpath(m_folder))
            return failed(error, QStringLiteral("cannot make the folder %1").arg(m_folder));
        QFile::setPermissions(m_folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    const Key key = makeP256Key();
    if (!key)
        return failedInOpenSsl(error, QStringLiteral("cannot make the CA's key"));
    const BigNumber serial = randomSerial();
    if (!serial)
        return failedInOpenSsl(error, QStringLiteral("cannot draw a serial number"));
    Request request;
    request.commonName = commonName;
    request.days = days;
    request.subjectKey = key.get();
    request.serial = serial.get();
    request.issuerKey = key.get();
    const Certificate certificate = newCertificate(request, error);
    if (!certificate)
        return false;
    // The subject key identifier first: the authority key identifier of every certificate
    // signed later is taken from it.
    if (!addExtension(certificate.get(), certificate.get(), NID_basic_constraints, "critical,CA:TRUE",
                      error) ||
        !addExtension(certificate.get(), certificate.get(), NID_key_usage, "critical,keyCertSign,cRLSign",
                      error) ||
        !addExtension(certificate.get(), certificate.get(), NID_subject_key_identifier, "hash", error) ||
        !signCertificate(certificate.get(), key.get(), error))
        return false;
    if (BN_add_word(serial.get(), 1) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot count the serial number on"));

    const Ed25519Key operatorKey = Ed25519Key::generate();
    const QByteArray caKeyPem = keyPem(key.get());
    const QByteArray caCertificatePem = certificatePem(certificate.get());
    if (operatorKey.isNull() || caKeyPem.isEmpty() || caCertificatePem.isEmpty())
        return failedInOpenSsl(error, QStringLiteral("cannot write the keys out"));

    const struct
    {
        QString name;
        QByteArray data;
        bool secret;
    } files[] = {{kCaKey, caKeyPem, true},
                 {kCaCertificate, caCertificatePem, false},
                 {kSerial, serialText(serial.get()), false},
                 {kRevocationList, QByteArray(), false},
                 {kOperatorKey, operatorKey.privatePem(), true},
                 {kOperatorPublic, operatorKey.publicPem(), false}};
    m_caKeyPem = caKeyPem;
    m_caCertificatePem = caCertificatePem;
    QStringList written;
    for (const auto &file : files) {
        const bool ok = file.name == kRevocationList
                            ? signRevocationList(QStringList(), error)
                            : writeFile(path(file.name), file.data, file.secret, error);
        if (!ok) {
            m_caKeyPem.clear();
            m_caCertificatePem.clear();
            // Half a CA would keep the next init from making a whole one.
            for (const QString &name : qAsConst(written))
                QFile::remove(path(name));
            return false;
        }
        written << file.name;
    }
    return true;
}

bool FleetCa::load(QString *error)
{
    QByteArray keyPemRead;
    QByteArray certificatePemRead;
    if (!readFile(path(kCaKey), &keyPemRead, error) ||
        !readFile(path(kCaCertificate), &certificatePemRead, error))
        return false;
    const Key key = readKey(keyPemRead);
    if (!key)
        return failedInOpenSsl(error, QStringLiteral("%1 is not a PEM private key").arg(path(kCaKey)));
    const Certificate certificate = readCertificate(certificatePemRead);
    if (!certificate)
        return failedInOpenSsl(error,
                               QStringLiteral("%1 is not a PEM certificate").arg(path(kCaCertificate)));
    if (X509_check_private_key(certificate.get(), key.get()) != 1)
        return failedInOpenSsl(
            error, QStringLiteral("%1 is not the key of %2").arg(path(kCaKey), path(kCaCertificate)));
    m_caKeyPem = keyPemRead;
    m_caCertificatePem = certificatePemRead;
    return true;
}

bool FleetCa::issueClient(const QString &name, int days, Issued *issued, QString *error)
{
    return makeCertificate(name, days, "clientAuth", QStringList(), issued, error);
}

bool FleetCa::issueServer(const QString &commonName, const QStringList &addresses, int days, Issued *issued,
                          QString *error)
{
    if (addresses.isEmpty())
        return failed(error, QStringLiteral("a server certificate needs at least one address or host name"));
    return makeCertificate(commonName, days, "serverAuth", addresses, issued, error);
}

bool FleetCa::takeSerial(QByteArray *serial, QString *error)
{
    // Two certificates made at once (two terminals of the operator) must not both take the
    // same number.
    QLockFile lock(path(kSerial) + QStringLiteral(".lock"));
    if (!lock.tryLock(30000))
        return failed(error, QStringLiteral("the serial number of %1 stays locked").arg(m_folder));
    QByteArray text;
    if (!readFile(path(kSerial), &text, error))
        return false;
    text = text.trimmed();
    BIGNUM *read = nullptr;
    if (text.isEmpty() || BN_hex2bn(&read, text.constData()) != text.size()) {
        BN_free(read);
        ERR_clear_error();
        return failed(error,
                      QStringLiteral("%1 does not hold a hexadecimal serial number").arg(path(kSerial)));
    }
    const BigNumber next(read);
    if (BN_is_negative(next.get()) || BN_is_zero(next.get()))
        return failed(error, QStringLiteral("%1 does not hold a positive serial number").arg(path(kSerial)));
    *serial = text;
    if (BN_add_word(next.get(), 1) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot count the serial number on"));
    return writeFile(path(kSerial), serialText(next.get()), false, error);
}

bool FleetCa::makeCertificate(const QString &commonName, int days, const char *extendedKeyUsage,
                              const QStringList &addresses, Issued *issued, QString *error)
{
    if (commonName.isEmpty())
        return failed(error, QStringLiteral("a certificate needs a common name"));
    if (days == 0)
        return failed(error, QStringLiteral("a certificate must be valid for at least a day"));
    if (m_caKeyPem.isEmpty() && !load(error))
        return false;
    const Key caKey = readKey(m_caKeyPem);
    const Certificate caCertificate = readCertificate(m_caCertificatePem);
    if (!caKey || !caCertificate)
        return failedInOpenSsl(error, QStringLiteral("cannot read the CA's key and certificate back"));

    QByteArray serialHex;
    if (!takeSerial(&serialHex, error))
        return false;
    BIGNUM *serialRead = nullptr;
    BN_hex2bn(&serialRead, serialHex.constData());
    const BigNumber serial(serialRead);
    const Key key = makeP256Key();
    if (!serial || !key)
        return failedInOpenSsl(error, QStringLiteral("cannot make the key"));

    Request request;
    request.commonName = commonName;
    request.days = days;
    request.subjectKey = key.get();
    request.serial = serial.get();
    request.issuer = caCertificate.get();
    request.issuerKey = caKey.get();
    const Certificate certificate = newCertificate(request, error);
    if (!certificate)
        return false;
    X509 *ca = caCertificate.get();
    const QByteArray usage = QByteArray(extendedKeyUsage);
    if (!addExtension(certificate.get(), ca, NID_basic_constraints, "critical,CA:FALSE", error) ||
        !addExtension(certificate.get(), ca, NID_key_usage, "critical,digitalSignature", error) ||
        !addExtension(certificate.get(), ca, NID_ext_key_usage, usage.constData(), error) ||
        !addExtension(certificate.get(), ca, NID_subject_key_identifier, "hash", error) ||
        !addExtension(certificate.get(), ca, NID_authority_key_identifier, "keyid:always", error))
        return false;
    if (!addresses.isEmpty() && !addSubjectAltNames(certificate.get(), addresses, error))
        return false;
    if (!signCertificate(certificate.get(), caKey.get(), error))
        return false;

    Issued made;
    made.certificatePem = certificatePem(certificate.get());
    made.keyPem = keyPem(key.get());
    made.serial = QString::fromLatin1(serialText(serial.get()).trimmed());
    if (made.certificatePem.isEmpty() || made.keyPem.isEmpty())
        return failedInOpenSsl(error, QStringLiteral("cannot write the certificate out"));
    if (issued)
        *issued = made;
    return true;
}

bool FleetCa::ensureRevocationList(QString *error)
{
    if (QFileInfo::exists(path(kRevocationList)))
        return true;
    return signRevocationList(QStringList(), error);
}

bool FleetCa::revoke(const QStringList &serials, QString *error)
{
    return signRevocationList(serials, error);
}

bool FleetCa::signRevocationList(const QStringList &serials, QString *error)
{
    if (m_caKeyPem.isEmpty() && !load(error))
        return false;
    const Key caKey = readKey(m_caKeyPem);
    const Certificate caCertificate = readCertificate(m_caCertificatePem);
    if (!caKey || !caCertificate)
        return failedInOpenSsl(error, QStringLiteral("cannot read the CA's key and certificate back"));
    QList<QByteArray> wanted;
    for (const QString &serial : serials) {
        const QByteArray canonical = canonicalSerial(serial.toLatin1());
        if (canonical.isEmpty())
            return failed(error, QStringLiteral("\"%1\" is not a hexadecimal serial number").arg(serial));
        wanted << canonical;
    }

    // Two revocations at once (two terminals, the tool and the Screens window) must not each
    // write a list without the other's certificate.
    QLockFile lock(path(kRevocationList) + QStringLiteral(".lock"));
    if (!lock.tryLock(30000))
        return failed(error, QStringLiteral("the revocation list of %1 stays locked").arg(m_folder));

    RevocationList previous;
    if (QFileInfo::exists(path(kRevocationList))) {
        QByteArray pem;
        if (!readFile(path(kRevocationList), &pem, error))
            return false;
        Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
        previous.reset(bio ? PEM_read_bio_X509_CRL(bio.get(), nullptr, nullptr, nullptr) : nullptr);
        // Signed anew without what it held, revoked devices would be let in again.
        if (!previous)
            return failedInOpenSsl(
                error, QStringLiteral("%1 is not a PEM revocation list").arg(path(kRevocationList)));
    }

    X509 *ca = caCertificate.get();
    RevocationList list(X509_CRL_new());
    const time_t now = time(nullptr);
    // Backdated as certificates are: a server whose clock lags would take a list made a moment
    // ago for one not yet valid and refuse every client.
    const Time lastUpdate(ASN1_TIME_adj(nullptr, now, 0, -kBackdateSeconds));
    const Time nextUpdate(ASN1_TIME_adj(nullptr, now, kRevocationListDays, 0));
    if (!list || X509_CRL_set_version(list.get(), 1) != 1 ||
        X509_CRL_set_issuer_name(list.get(), X509_get_subject_name(ca)) != 1 || !lastUpdate || !nextUpdate ||
        X509_CRL_set1_lastUpdate(list.get(), lastUpdate.get()) != 1 ||
        X509_CRL_set1_nextUpdate(list.get(), nextUpdate.get()) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot make the revocation list"));

    QSet<QByteArray> listed;
    BigNumber number(BN_new());
    if (!number)
        return failedInOpenSsl(error, QStringLiteral("cannot number the revocation list"));
    if (previous) {
        const STACK_OF(X509_REVOKED) *entries = X509_CRL_get_REVOKED(previous.get());
        for (int i = 0; i < sk_X509_REVOKED_num(entries); ++i) {
            const X509_REVOKED *entry = sk_X509_REVOKED_value(entries, i);
            Revoked copy(X509_REVOKED_dup(entry));
            if (!copy || X509_CRL_add0_revoked(list.get(), copy.get()) != 1)
                return failedInOpenSsl(error, QStringLiteral("cannot keep the revoked certificates"));
            copy.release();
            listed.insert(serialOf(X509_REVOKED_get0_serialNumber(entry)));
        }
        int critical = 0;
        const Integer previousNumber(static_cast<ASN1_INTEGER *>(
            X509_CRL_get_ext_d2i(previous.get(), NID_crl_number, &critical, nullptr)));
        if (previousNumber)
            number.reset(ASN1_INTEGER_to_BN(previousNumber.get(), nullptr));
    }
    for (const QByteArray &serial : qAsConst(wanted)) {
        if (listed.contains(serial))
            continue;
        listed.insert(serial);
        BIGNUM *read = nullptr;
        BN_hex2bn(&read, serial.constData());
        const BigNumber value(read);
        Revoked entry(X509_REVOKED_new());
        const Integer integer(value ? BN_to_ASN1_INTEGER(value.get(), nullptr) : nullptr);
        const Time date(ASN1_TIME_adj(nullptr, now, 0, 0));
        if (!entry || !integer || !date || X509_REVOKED_set_serialNumber(entry.get(), integer.get()) != 1 ||
            X509_REVOKED_set_revocationDate(entry.get(), date.get()) != 1 ||
            X509_CRL_add0_revoked(list.get(), entry.get()) != 1)
            return failedInOpenSsl(error,
                                   QStringLiteral("cannot revoke %1").arg(QString::fromLatin1(serial)));
        entry.release();
    }

    // Numbered and tied to the CA's key as RFC 5280 asks of a version 2 list.
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, ca, nullptr, nullptr, list.get(), 0);
    const Extension authority(
        X509V3_EXT_conf_nid(nullptr, &context, NID_authority_key_identifier, "keyid:always"));
    const Integer crlNumber(
        number && BN_add_word(number.get(), 1) == 1 ? BN_to_ASN1_INTEGER(number.get(), nullptr) : nullptr);
    if (!authority || !crlNumber || X509_CRL_add_ext(list.get(), authority.get(), -1) != 1 ||
        X509_CRL_add1_ext_i2d(list.get(), NID_crl_number, crlNumber.get(), 0, X509V3_ADD_DEFAULT) != 1 ||
        X509_CRL_sort(list.get()) != 1 || X509_CRL_sign(list.get(), caKey.get(), EVP_sha256()) <= 0)
        return failedInOpenSsl(error, QStringLiteral("cannot sign the revocation list"));

    Bio out(BIO_new(BIO_s_mem()));
    if (!out || PEM_write_bio_X509_CRL(out.get(), list.get()) != 1)
        return failedInOpenSsl(error, QStringLiteral("cannot write the revocation list out"));
    return writeFile(path(kRevocationList), bioBytes(out.get()), false, error);
}
