// What every assortment dialog must look like: the form's caption, size,
// controls, font and tab order, checked on what the probe saw.
#ifndef EDIHAL_TESTS_DIALOG_FORMEXPECTATIONS_H
#define EDIHAL_TESTS_DIALOG_FORMEXPECTATIONS_H

#include <string>
#include <vector>

#include "DialogProbe.h"

namespace dialog_probe {

// `product_name`, `entries` and `selection`: what the dialog should show.
void ExpectTheForm(const DialogView& view, const std::wstring& product_name,
                   const std::vector<std::wstring>& entries, int selection);

}  // namespace dialog_probe

#endif  // EDIHAL_TESTS_DIALOG_FORMEXPECTATIONS_H
