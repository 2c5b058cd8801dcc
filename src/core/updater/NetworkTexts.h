#pragma once

#include <QStringView>

/// Why a download failed, as the user reads it: the same words whichever site was asked. The caller says first what
/// could not be had (the result page, the office's answer); the network layer's own words, in English, go on a line
/// of their own after these.
namespace NetworkTexts {

/// The answer did not come in time: nothing came for too long, or the whole of it took too long.
constexpr QStringView timedOut()
{
    return u"เซิร์ฟเวอร์ไม่ตอบภายในเวลาที่กำหนด";
}
/// The answer passed the size allowed; the transfer was stopped there.
constexpr QStringView tooLarge()
{
    return u"ข้อมูลจากเซิร์ฟเวอร์ใหญ่เกินกำหนด";
}
/// %1: the HTTP status code.
constexpr QStringView httpStatus()
{
    return u"เซิร์ฟเวอร์ตอบกลับด้วยรหัส %1";
}
/// Nothing listens at the address's port.
constexpr QStringView refused()
{
    return u"เซิร์ฟเวอร์ไม่รับการติดต่อ";
}
/// The host name of the address is unknown.
constexpr QStringView hostNotFound()
{
    return u"ไม่พบเซิร์ฟเวอร์";
}
/// No connection, or the server closed it before answering.
constexpr QStringView cannotConnect()
{
    return u"ติดต่อเซิร์ฟเวอร์ไม่ได้";
}
/// The secure connection could not be set up: a certificate or protocol fault.
constexpr QStringView tls()
{
    return u"ติดต่อเซิร์ฟเวอร์อย่างปลอดภัยไม่ได้";
}
/// Anything else the network layer reports: too many redirects, a broken answer.
constexpr QStringView other()
{
    return u"รับข้อมูลจากเซิร์ฟเวอร์ไม่ได้";
}

} // namespace NetworkTexts
