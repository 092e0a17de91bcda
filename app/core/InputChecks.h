#pragma once

#include <optional>
#include <string>
#include <vector>

class TGridTable;
class TProgramData;

// The checks made before every run. Each answers the message to show in a warning box, or
// nothing when the input passes.

// FHWA with a tapered pile type (2, 4, 5, 7) and a positive taper angle: the taper must not
// give a negative diameter at the tip. The message names the largest angle that does not.
std::optional<std::string> TaperCheckMessage(const TProgramData& data);

// The modulus of elasticity must be greater than zero.
std::optional<std::string> ModulusCheckMessage(const TProgramData& data);

// The first clay layer of the soil table whose remolded shear strength is 0 at both its top
// and bottom fails when ICP/MTD, Fugro or UWA is selected (the message names the first of
// them that is). At most one message.
std::optional<std::string> RemoldedStrengthCheckMessage(const TProgramData& data,
                                                        const TGridTable& soilTable);

// Lengths, diameters, unit weights and CPT depths below 0 describe no pile or soil; the
// engine refuses them. One message per value, naming the field (and the layer or the CPT
// point) and the window to mend it in; the CPT depths are those of the CPT side file.
std::vector<std::string> NegativeInputMessages(const TProgramData& data,
                                               const TGridTable& soilTable,
                                               const std::vector<long double>& cptDepths);

// Largest taper angle (degrees) that keeps the tip diameter from going negative, for OD in
// in / mm and TL in ft / m.
long double LargestTaperAngle(const TProgramData& data);

// Receives each failed check's message.
class TInputCheckReporter
{
public:
    virtual ~TInputCheckReporter() = default;
    virtual void Warning(const std::string& text) = 0;
};

// All three checks run, each reporting its own message; true when all passed.
bool ValidateInput(const TProgramData& data,
                   const TGridTable& soilTable,
                   TInputCheckReporter& reporter);
