#pragma once
// Command 1: the supplier dialog "Pflege der Lieferantendatei" with its two
// states, number entry and editing.

#include "common/dispatch.h"

namespace dn {

struct Session;

CommandOutcome SupplierDialog(Session& s);

// The SHK-Connect company id of a supplier's online access record
// (`lonline.dat`), 0 when there is none.
int readShkCompanyId(const Session& s, int supplier);

// Field tags of the dialog.
enum SupplierField : int {
    kSupNumber = 100,
    kSupName = 101,
    kSupSalutation = 102,
    kSupAddressName = 103,
    kSupTitle = 104,
    kSupStreet = 105,
    kSupTown = 106,
    kSupCustomer = 107,
    kSupDate1 = 108,
    kSupDate2 = 109,
    kSupDate3 = 110,
    kSupVersion = 111,
    kSupLetter = 113,
    kSupPath = 114,
    kSupSubdirs = 115,
    kSupCase = 116,
    kSupShk = 117,
};

enum SupplierButton : int {
    kSupList = 12,  // F2
    kSupOnline = 21,
    kSupDirect = 22,
    kSupShkSearch = 23,
    kSupPathChooser = 24,
};

}  // namespace dn
