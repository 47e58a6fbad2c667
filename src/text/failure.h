#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace quilvarden {

// What stopped an operation: the error's number and a short description in Galician,
// plus whatever detail helps the operator (the text that failed, the engine's own words).
// The numbers are the ones volunteers know from the old scoring table.
struct Failure {
    enum Code : int {
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
        InvalidUseOfNull = 94,
        DatabaseError = 3000,
        InvalidArgument = 3001,
        FileNotFound = 3024,
        DiskFull = 3026,
        ReadOnlyDatabase = 3027,
        LoginRefused = 3029,
        DiskError = 3043,
        CannotOpenFile = 3051,
        ConnectionFailed = 3151,
        TableNotFound = 3078,
        LockedByOtherProgram = 3260,
        ColumnNotFound = 3265,
        ImportFileInvalid = 3274,
        UnrecognisedFormat = 3343,
        PortInUse = 10048,    // the live server's port, taken by another program
        CannotListen = 10049, // the live server's address, not this machine's or not allowed
    };

    int number = 0;
    QString description;
    QString detail;

    static Failure overflow(const QString& detail = {});
    static Failure typeMismatch(const QString& text);
    static Failure invalidUseOfNull(const QString& detail = {});
    static Failure divisionByZero(const QString& detail = {});
    static Failure database(int number, const QString& detail);

    // "Erro 13: Non coinciden os tipos" followed by the detail on its own line.
    QString message() const;
};

// The short Galician description of an error number.
QString describeError(int number);

// A value or the failure that kept it from being made.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_state); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const Failure& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

// For operations that give nothing back but may fail.
struct Done {};
using Outcome = Result<Done>;

} // namespace quilvarden
