// How CMainList turns a line into what the painter draws.
#include "browserproxy/ui/MainList.h"

bool CMainList::DescribeLine(int index, EntryLine* line) const {
  const auto& items = Items();
  if (!ready_ || index < 0 || static_cast<size_t>(index) >= items.size()) return false;
  const LightInfoItem& item = items[static_cast<size_t>(index)];
  *line = EntryLine{};
  line->text = item.text;
  line->russianInterface = russianInterface_ != 0;
  line->russianWord = wordLanguage_ == 2;
  if (const CEntryDsc* entry = EntryOf(item.num1)) {
    line->russianSource = entry->GetSourceLanguage() == 2;
    line->russianTarget = entry->GetTargetLanguage() == 2;
  }
  if (messageMode_) {
    line->kind = (index == 0 && (options_ & 0x1)) ? EntryLine::Kind::Heading : EntryLine::Kind::Message;
    line->headingText = headingText_;
    line->messageWord = messageWord_;
    line->inaccessible = inaccessible_ != 0;
    return true;
  }
  if (index == 0 && (options_ & 0x1)) {
    line->kind = EntryLine::Kind::Heading;
    line->headingText = Caption();
    return true;
  }
  if (item.drawing) {
    line->kind = EntryLine::Kind::Drawing;
    line->drawing = item.drawing.get();
    return true;
  }
  if (item.captionFlag) {
    // Label lines keep their height but stay empty without option bit 1.
    if (!(options_ & 0x2)) return false;
    line->kind = EntryLine::Kind::Label;
    line->labelBold = item.highlighted != 0;
    return true;
  }
  const auto& groups = Groups();
  const EntryGroup* group =
      item.num6 >= 0 && static_cast<size_t>(item.num6) < groups.size() ? &groups[static_cast<size_t>(item.num6)] : nullptr;
  if (item.kind == 1) {
    line->kind = EntryLine::Kind::DictionaryHeader;
    if (group) {
      line->groupName = group->title;
      line->groupParenthesised = group->comment;
      line->groupHashList = group->marks;
      line->groupThirdText = group->caption;
      line->groupBang = group->flag != 0;
    } else {
      line->groupName = item.text;
    }
    return true;
  }
  line->kind = EntryLine::Kind::Translation;
  line->ordinal = item.num4;
  line->translation = item.text;
  if (const EntrySense* sense = SenseOf(item)) {
    line->translation = sense->text;
    line->closingNote = sense->comment;
    line->followingText = sense->marks;
    line->openingNote = sense->label;
    line->marked = sense->weight != 0;
    line->translationBang = sense->priority > 0;
  }
  return true;
}

void CMainList::DrawEntryItem(HDC dc, int index, const RECT& rect) {
  EntryLine line;
  if (!DescribeLine(index, &line)) return;
  EntryListColours colours;
  colours.label = Colour(0);
  colours.note = Colour(1);
  colours.thirdText = Colour(2);
  colours.following = Colour(3);
  colours.translation = Colour(5);
  colours.bullet = Colour(9);
  colours.bang = Colour(8);
  colours.number = Colour(11);
  colours.bulletChar = Bullet();
  EntryLinePainted painted = PaintEntryLine(dc, rect, line, fonts_, colours);
  LightInfoItem& item = MutableItems()[static_cast<size_t>(index)];
  item.rect1 = painted.textRect;
  item.rect2 = painted.lineRect;
}
