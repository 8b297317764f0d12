#include "docs/settings_items.h"

CWinPos::CWinPos(const char* name) : CXmlItemBase(name) {}

int CWinPos::Load(XMLElement* element) {
  Top = GetChildInt(element, "Top", 0);
  Left = GetChildInt(element, "Left", 0);
  fromFile = true;
  return 0;
}

int CWinPos::Save(XMLElement* parent, const char*) {
  if (!parent) return 0;
  XMLElement* own = FindOrAppendChild(parent, elementName.c_str());
  SetChildInt(own, "Top", Top);
  SetChildInt(own, "Left", Left);
  return 0;
}

bool MemoPrefixIsPlain(const std::string& prefix) {
  if (prefix.find("..") != std::string::npos) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(prefix[i]);
    if (IsLeadByte(c) && i + 1 < prefix.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

int COptions::Load(XMLElement* element) {
  const int result = CXmlItemBase::Load(element);
  if (!MemoPrefixIsPlain(MemoXml)) MemoXml = "ZantoMemo";
  return result;
}

COptions::COptions() : CXmlItemBase("Options") {
  for (int32_t& colour : CustColor) colour = 0x00FFFFFF;
  AddItem(ITEM_STRING, "MemoXml", &MemoXml);
  AddItem(ITEM_INT, "BackMode", &BackMode);
  AddItem(ITEM_INT, "AutoDisplayNow", &AutoDisplayNow);
  AddItem(ITEM_STRING, "Buttons", &Buttons);
  AddItem(ITEM_OBJECT, WinPos.ElementName().c_str(), &WinPos);
  AddItem(ITEM_OBJECT, HomePos.ElementName().c_str(), &HomePos);
  AddItem(ITEM_INT, "DelayPopup", &DelayPopup);
  AddItem(ITEM_INT, "AlwaysBottom", &AlwaysBottom);
  AddItem(ITEM_INT, "EnableStopPWM", &EnableStopPWM);
  AddItem(ITEM_HEXLIST, "CustColor", CustColor);
  AddItem(ITEM_INT, "ColorTrans", &ColorTrans);
}

CAdjust::CAdjust() : CXmlItemBase("Adjust") {
  AddItem(ITEM_INT, "Top", &Top);
  AddItem(ITEM_INT, "Left", &Left);
  AddItem(ITEM_INT, "Right", &Right);
  AddItem(ITEM_INT, "Bottom", &Bottom);
}

void CAdjust::Assign(const CAdjust& other) {
  Top = other.Top;
  Left = other.Left;
  Right = other.Right;
  Bottom = other.Bottom;
}

CMonthForm::CMonthForm() : CXmlItemBase("MonthExpression") {
  AddItem(ITEM_OBJECT, "Font", &Font);
  AddItem(ITEM_INT, "Position", &Position);
  AddItem(ITEM_STRING, "Format", &Format);
  AddItem(ITEM_HEX, "Color", &Color);
  AddItem(ITEM_HEX, "ShadowColor", &ShadowColor);
  AddItem(ITEM_HEX, "Locale", &Locale);
  AddItem(ITEM_INT, "SpaceY", &SpaceY);
  AddItem(ITEM_INT, "Gannen", &Gannen);
}

void CMonthForm::Assign(const CMonthForm& other) {
  Font.Assign(other.Font);
  Position = other.Position;
  Format = other.Format;
  Color = other.Color;
  ShadowColor = other.ShadowColor;
  Locale = other.Locale;
  SpaceY = other.SpaceY;
  Gannen = other.Gannen;
}

CHeaderForm::CHeaderForm() : CXmlItemBase("HeaderExpression") {
  AddItem(ITEM_INT, "Flag", &Flag);
  AddItem(ITEM_OBJECT, "Font", &Font);
  AddItem(ITEM_INT, "StartDayOfWeek", &StartDayOfWeek);
  AddItem(ITEM_STRING, "WeekTitle", &WeekTitle);
  AddItem(ITEM_INT, "SpaceY", &SpaceY);
}

void CHeaderForm::Assign(const CHeaderForm& other) {
  Flag = other.Flag;
  Font.Assign(other.Font);
  StartDayOfWeek = other.StartDayOfWeek;
  WeekTitle = other.WeekTitle;
  SpaceY = other.SpaceY;
}

CDayForm::CDayForm() : CXmlItemBase("DateExpression") {
  AddItem(ITEM_OBJECT, "Font", &Font);
  AddItem(ITEM_OBJECT, Adjust.ElementName().c_str(), &Adjust);
  AddItem(ITEM_INT, "SpaceX", &SpaceX);
  AddItem(ITEM_INT, "SpaceY", &SpaceY);
}

void CDayForm::Assign(const CDayForm& other) {
  Font.Assign(other.Font);
  Adjust.Assign(other.Adjust);
  SpaceX = other.SpaceX;
  SpaceY = other.SpaceY;
}

CBackForm::CBackForm() : CXmlItemBase("BackPaint") {
  AddItem(ITEM_HEX, "ModeUnavail", &ModeUnavail);
  AddItem(ITEM_HEX, "ColorBack", &ColorBack);
}

void CBackForm::Assign(const CBackForm& other) {
  ModeUnavail = other.ModeUnavail;
  ColorBack = other.ColorBack;
}
