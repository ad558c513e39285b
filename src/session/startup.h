#pragma once

#include <QStringView>

#include <functional>

class IndicatorModel;
enum class CatalogLoad;

inline constexpr QStringView MissingCatalogText = u"Файл конфігурації відсутній";

enum class SchoolNameLoad { Read, Missing };

// The start-up reading of the working folder into model: the catalogue, then the school name.
// catalogRead hears how the catalogue went before the school name is read, so that a window can
// tell the user at once and a run without a window can stop by throwing. Missing when there is
// no school-name file (SchoolName is then left as it was). Throws IoError.
SchoolNameLoad readStartupFiles(IndicatorModel &model, const std::function<void(CatalogLoad)> &catalogRead);
