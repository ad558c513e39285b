#pragma once

#include "model.h"

#include <QString>

inline constexpr char CatalogFileName[] = "DEFAULT.lng";
// The rules between indicators, beside the catalogue whose labels they name.
inline constexpr char RulesFileName[] = "DEFAULT.chk";

// Fills model.Catalog and model.CatalogYear from the bytes of a catalogue file.
void readCatalog(const QByteArray &bytes, IndicatorModel &model);

enum class CatalogLoad { Loaded, Missing };
// Empties the catalogue, then reads the file at path; Missing when there is no such file
// (CatalogYear is then left as it was). Throws IoError when the file cannot be read.
CatalogLoad loadCatalogFile(const QString &path, IndicatorModel &model);
