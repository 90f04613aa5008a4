#include "core/ErrorReporter.h"

#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"

#include <QProcess>

#include <new>
#include <typeinfo>
#include <variant>

QString CurrentModuleLabel;

namespace {

// Error numbers and texts for C++ failures, in the script language's terms.
constexpr int kOutOfMemory = 7;
constexpr int kTypeMismatch = 13;
constexpr int kSubscriptOutOfRange = 9;
constexpr int kOverflow = 6;
constexpr int kInternalError = 51;

struct Report {
    int number;
    QString text;
};

QString WithDetail(const QString& text, const char* detail)
{
    QString d = QString::fromLocal8Bit(detail);
    return d.isEmpty() ? text : text + QStringLiteral("（") + d + QStringLiteral("）");
}

// Must be called from inside a catch block.
Report DescribeCurrentException()
{
    try {
        throw;
    } catch (const RuntimeError& e) {
        return {e.Number(), e.Text()};
    } catch (const std::bad_alloc&) {
        return {kOutOfMemory, QStringLiteral("内存不足")};
    } catch (const std::bad_cast&) {  // bad_any_cast too
        return {kTypeMismatch, QStringLiteral("类型不匹配")};
    } catch (const std::bad_variant_access&) {
        return {kTypeMismatch, QStringLiteral("类型不匹配")};
    } catch (const std::out_of_range& e) {
        return {kSubscriptOutOfRange, WithDetail(QStringLiteral("下标越界"), e.what())};
    } catch (const std::overflow_error& e) {
        return {kOverflow, WithDetail(QStringLiteral("溢出"), e.what())};
    } catch (const std::exception& e) {
        return {kInternalError, WithDetail(QStringLiteral("内部错误"), e.what())};
    } catch (...) {
        return {kInternalError, QStringLiteral("内部错误")};
    }
}

}  // namespace

RuntimeError::RuntimeError(int number, const QString& text)
    : std::runtime_error(text.toStdString()), number_(number), text_(text)
{
}

void InstallErrorReporter(const QString& label)
{
    // The reporter itself is always in place (RunGuarded); installing it
    // only names the operation.
    CurrentModuleLabel = label;
}

bool ReportRuntimeError(int number, const QString& text)
{
    QProcess::startDetached(ProgramPath(QStringLiteral("/") + kErrorPromptProgram),
                            {QString::number(number), text, CurrentModuleLabel});
    return true;
}

bool RunGuarded(const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (...) {
        Report r = DescribeCurrentException();
        ReportRuntimeError(r.number, r.text);
        return false;
    }
}

void ReleaseModuleLabel() { CurrentModuleLabel = QString(); }
