#pragma once

// A MARC file in two answers: the standard its records follow (the tags'
// meanings) and how they are written down. MARC21 and UNIMARC share both
// ISO 2709 and MARCXML.
enum class MarcStandard { Marc21, Unimarc };
enum class MarcEncoding { Iso2709, MarcXml };
