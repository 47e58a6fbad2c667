#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QList>
#include <QString>

// The meet's categories as the operator types them, each field a text.
namespace quilvarden::data {

struct CategoryFields {
    QString name;
    QString minAge;      // empty: no lower limit
    QString maxAge;      // empty: no upper limit
    QString sportClass;  // empty for an age group
    QString events;      // the order numbers: "1, 3, 5-9"
    QString gender = {}; // not typed: kept as the category had it

    bool operator==(const CategoryFields&) const = default;
};

// The fields that show a category.
CategoryFields fieldsOf(const MeetCategory& category);

// The categories the fields give, in their order; a failure naming the first row (from 1)
// whose ages or order numbers do not read. Names are the register's to check.
Result<QList<MeetCategory>> categoriesFrom(const QList<CategoryFields>& rows);

} // namespace quilvarden::data
