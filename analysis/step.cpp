#include "analysis/step.h"

namespace dozudo {

namespace {

const char* baseName(Technique t) {
    switch (t) {
        case Technique::none: return "";
        case Technique::wrongEntry: return "Wrong Digit";
        case Technique::hint: return "";
        case Technique::pointing: return "Locked Candidates (Pointing)";
        case Technique::claiming: return "Locked Candidates (Claiming)";
        case Technique::nakedPair: return "Naked Pair";
        case Technique::hiddenPair: return "Hidden Pair";
        case Technique::nakedTriple: return "Naked Triple";
        case Technique::hiddenTriple: return "Hidden Triple";
        case Technique::nakedQuad: return "Naked Quad";
        case Technique::hiddenQuad: return "Hidden Quad";
        case Technique::xWing: return "X-Wing";
        case Technique::swordfish: return "Swordfish";
        case Technique::jellyfish: return "Jellyfish";
        case Technique::finnedXWing: return "Finned X-Wing";
        case Technique::finnedSwordfish: return "Finned Swordfish";
        case Technique::finnedJellyfish: return "Finned Jellyfish";
        case Technique::xyWing: return "XY-Wing";
        case Technique::xyzWing: return "XYZ-Wing";
        case Technique::wWing: return "W-Wing";
        case Technique::simpleColouring: return "Simple Colouring";
        case Technique::uniqueRectangle1: return "Unique Rectangle Type 1";
        case Technique::uniqueRectangle2: return "Unique Rectangle Type 2";
        case Technique::xChain: return "X-Chain";
        case Technique::xyChain: return "XY-Chain";
        case Technique::aic: return "AIC";
        case Technique::alsXz: return "ALS-XZ";
        case Technique::nishioForcingChain: return "Nishio Forcing Chain";
        case Technique::cellForcingChain: return "Cell Forcing Chain";
        case Technique::unitForcingChain: return "Unit Forcing Chain";
        case Technique::forcingNet: return "Forcing Net";
        case Technique::trialAndError: return "Trial and Error";
    }
    return "";
}

std::string digitsOf(DigitMask m) {
    std::string s;
    for (int d = 1; d <= 9; ++d)
        if (m & digitBit(d)) s += static_cast<char>('0' + d);
    return s;
}

// "2 7": digits as a screen reader says them.
std::string digitsSpoken(DigitMask m) {
    std::string s;
    for (int d = 1; d <= 9; ++d)
        if (m & digitBit(d)) s += (s.empty() ? "" : " ") + std::to_string(d);
    return s;
}

std::string fieldWords(int cell) {
    return "row " + std::to_string(cellRow(cell)) + " column " + std::to_string(cellColumn(cell));
}

int removedCount(const Step& s) {
    int n = 0;
    for (const CellDigits& r : s.removals) n += digitCount(r.digits);
    return n;
}

}  // namespace

void Step::add(std::vector<CellDigits>& list, int cell, DigitMask digits) {
    for (CellDigits& e : list)
        if (e.cell == cell) {
            e.digits |= digits;
            return;
        }
    list.push_back({static_cast<std::uint8_t>(cell), digits});
}

std::string techniqueName(const Step& s) {
    if (s.technique != Technique::hint) return baseName(s.technique);
    switch (s.hint.hintKind) {
        case 1: return "Empty Field";
        case 2: return "Naked Single";
        case 3:
        case 4:
        case 5: return "Missing Digit";
        case 6:
        case 7:
        case 8: return "Hidden Single";
        default: return "";
    }
}

std::string cellName(int cell) {
    return "r" + std::to_string(cellRow(cell)) + "c" + std::to_string(cellColumn(cell));
}

std::string stepLine(const Step& s) {
    if (!s.found()) return "";
    std::string line = techniqueName(s) + ":";
    if (s.technique == Technique::hint) {
        const Hint& h = s.hint;
        if (hintPlacesDigit(h.hintKind))
            return line + " " + cellName(cellAt(h.hintColumn, h.hintRow)) + "=" +
                   std::to_string(h.hintDigit) + " (" + hintMessage(h) + ")";
        return line + " " + hintMessage(h);
    }
    for (const CellDigits& p : s.pattern) line += " " + cellName(p.cell) + "{" + digitsOf(p.digits) + "}";
    line += " =>";
    if (s.places()) return line + " " + cellName(s.placeCell) + "=" + std::to_string(s.placeDigit);
    const char* sep = " ";
    for (const CellDigits& r : s.removals) {
        line += sep + cellName(r.cell) + "<>" + digitsOf(r.digits);
        sep = ", ";
    }
    return line;
}

std::string stepStatus(const Step& s) {
    if (s.technique == Technique::hint) return hintMessage(s.hint);
    if (!s.found()) return "";
    // The long names in the short forms the status line has room for.
    std::string name = techniqueName(s);
    switch (s.technique) {
        case Technique::pointing: name = "Pointing"; break;
        case Technique::claiming: name = "Claiming"; break;
        case Technique::uniqueRectangle1: name = "Unique Rectangle 1"; break;
        case Technique::uniqueRectangle2: name = "Unique Rectangle 2"; break;
        default: break;
    }
    if (s.technique == Technique::wrongEntry || s.places())
        return name + ": (" + std::to_string(s.placeDigit) + ") " + fieldWords(s.placeCell);
    const int n = removedCount(s);
    return name + ": " + std::to_string(n) + (n == 1 ? " option" : " options") + " removed";
}

std::string stepSpeech(const Step& s) {
    if (s.technique == Technique::hint || !s.found()) return stepStatus(s);
    std::string text = techniqueName(s);
    if (s.technique == Technique::wrongEntry)
        return text + ": " + fieldWords(s.placeCell) + " holds " + std::to_string(s.placeDigit) +
               ", which is not the solution's digit";
    text += " on";
    const char* sep = " ";
    for (const CellDigits& p : s.pattern) {
        text += sep + fieldWords(p.cell) + " (" + digitsSpoken(p.digits) + ")";
        sep = ", ";
    }
    if (s.places()) return text + "; places " + std::to_string(s.placeDigit) + " in " + fieldWords(s.placeCell);
    text += "; removes";
    sep = " ";
    for (const CellDigits& r : s.removals) {
        text += sep + digitsSpoken(r.digits) + " from " + fieldWords(r.cell);
        sep = ", ";
    }
    return text;
}

int stepStatusKind(const Step& s) {
    if (s.technique == Technique::hint) return hintStatusKind(s.hint.hintKind);
    if (s.technique == Technique::wrongEntry) return 1;
    return s.found() ? 2 : 0;
}

}  // namespace dozudo
