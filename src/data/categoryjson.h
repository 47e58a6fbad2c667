#pragma once

#include "data/meet.h"
#include "text/failure.h"

#include <QByteArray>
#include <QList>

// The meet's categories as JSON, for typing them where the programme brings none:
// {"categories": [{"name", "minAge", "maxAge", "gender", "class", "events"}, …]}, ages null
// where there is no limit. Reading also takes the list alone, and refuses, naming the fault,
// unknown keys, values of the wrong type, a category without a name, an order number that is
// not a whole number from 1.
namespace quilvarden::data {

QByteArray categoriesToJson(const QList<MeetCategory>& categories);
Result<QList<MeetCategory>> categoriesFromJson(const QByteArray& json);

} // namespace quilvarden::data
