// The names under which the workers ask the host for their settings.
#ifndef EDIHAL_LIBRARY_PARAMETERNAMES_H
#define EDIHAL_LIBRARY_PARAMETERNAMES_H

namespace edihal::params {

// Declared by the module (group 401).
inline constexpr char kImportFolder[] = "KatalogImp";
inline constexpr char kImportPrefix[] = "PrefixImp";
inline constexpr char kImportList[] = "ListaImp";
inline constexpr char kCategorisation[] = "CzyKategoryzacja";
inline constexpr char kRateA[] = "StawkaA";
inline constexpr char kRateB[] = "StawkaB";
inline constexpr char kRateC[] = "StawkaC";
inline constexpr char kRateD[] = "StawkaD";
inline constexpr char kRateG[] = "StawkaG";

// Entries of the two list parameters.
inline constexpr char kListNone[] = "brak";
inline constexpr char kListFromFolder[] = "wg zaw. katalogu";
inline constexpr char kNo[] = "Nie";
inline constexpr char kYes[] = "Tak";

// Asked by the export pre-step, declared by the host itself.
inline constexpr char kExportList[] = "ListaExp";
inline constexpr char kExportNumbering[] = "NumeracjaExp";
inline constexpr char kExportFolder[] = "KatalogExp";
inline constexpr char kExportPrefix[] = "PrefixExp";

}  // namespace edihal::params

#endif  // EDIHAL_LIBRARY_PARAMETERNAMES_H
