#include "values.h"

#include "text/numbers.h"

namespace quilvarden::data {

QString columnText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return text::writeNumber(value.toDouble());
    default:
        return value.toString();
    }
}

} // namespace quilvarden::data
