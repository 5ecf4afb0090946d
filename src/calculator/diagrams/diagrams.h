#pragma once

#include <QByteArray>

// Each table's diagram details as finished metafiles; an empty array for a detail the table
// does not have.
namespace diagrams {

QByteArray directBuriedSingles(int detail);   // D8
QByteArray ductedSingles(int detail);         // D9
QByteArray directBuriedTriplexed(int detail); // D10
QByteArray ductedTriplexed(int detail);       // D11

} // namespace diagrams
