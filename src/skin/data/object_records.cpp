#include "skin/data/object_records.h"

#include <utility>

namespace tessaly::skin {

namespace {

// A caption button of a command that toggles shows "Restore" as the hint of
// its second state unless the skin names one.
void applyRestoreHintRule(const std::string& hint, StdCommand command, std::string& restoreHint)
{
    if (!restoreHint.empty())
        return;
    if ((hint == "Maximize" && command == StdCommand::Maximize)
        || (hint == "Minimize" && command == StdCommand::Minimize)
        || ((hint == "RollUp" || hint == "Roll Up") && command == StdCommand::RollUp))
        restoreHint = "Restore";
}

} // namespace

void RestoreKeys::fields(FieldVisitor& v)
{
    v.rect("restorerect", restoreRect);
    v.rect("restoreactiverect", restoreActiveRect);
    v.rect("restoredownrect", restoreDownRect);
    v.rect("restoreinactiverect", restoreInActiveRect);
    v.text("restorehint", restoreHint);
}

void ObjectKeys::fields(FieldVisitor& v)
{
    v.text("hint", hint);
    v.integer("activepictureindex", activePictureIndex, -1);
    v.integer("activemaskpictureindex", activeMaskPictureIndex, -1);
    v.boolean("skinrectinapicture", skinRectInAPicture);
    v.rect("skinrect", skinRect);
    v.rect("activeskinrect", activeSkinRect);
    v.rect("inactiveskinrect", inActiveSkinRect);
    v.boolean("morphing", morphing);
    v.morphKind("morphkind", morphKind);
    v.integer("glowlayerpictureindex", glowLayerPictureIndex, -1);
    v.integer("glowlayermaskpictureindex", glowLayerMaskPictureIndex, -1);
    v.integer("glowlayeroffsetx", glowLayerOffsetX);
    v.integer("glowlayeroffsety", glowLayerOffsetY);
    v.integer("glowlayeralphablendvalue", glowLayerAlphaBlendValue, 255);
}

void DataUserObject::visitFields(FieldVisitor& visitor)
{
    visitor.rect("skinrect", skinRect);
}

void ButtonKeys::fields(FieldVisitor& v)
{
    v.rect("downrect", downRect);
    v.rect("disableskinrsect", disableSkinRect); // the key is spelled so in skins
    v.integer("alphamaskpictureindex", alphaMaskPictureIndex, -1);
    v.integer("alphamaskactivepictureindex", alphaMaskActivePictureIndex, -1);
    v.integer("alphamaskinactivepictureindex", alphaMaskInActivePictureIndex, -1);
}

void StdButtonKeys::fields(FieldVisitor& v)
{
    v.command("command", command);
    RestoreKeys::fields(v);
}

void DataSkinStdButton::loadFromFile(const SkinDescription& description)
{
    DataSkinButton::loadFromFile(description);
    applyRestoreHintRule(hint, command, restoreHint);
}

void AnimateKeys::fields(FieldVisitor& v)
{
    v.integer("countframes", countFrames, 1);
    v.boolean("cycle", cycle);
    v.boolean("buttonstyle", buttonStyle);
    v.integer("timerinterval", timerInterval, 50);
    v.command("command", command);
    v.rect("downskinrect", downSkinRect);
    RestoreKeys::fields(v);
}

void DataSkinAnimate::loadFromFile(const SkinDescription& description)
{
    DataSkinObject::loadFromFile(description);
    morphing = false;
    applyRestoreHintRule(hint, command, restoreHint);
}

void MenuItemKeys::fields(FieldVisitor& v)
{
    v.integer("itemleftoffset", itemLO);
    v.integer("itemrightoffset", itemRO);
    v.rect("dividerrect", dividerRect);
    v.integer("dividerleftoffset", dividerLO);
    v.integer("dividerrightoffset", dividerRO);
    v.rect("textrect", textRct);
    v.rect("imagerect", imageRct);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("unenabledfontcolor", unEnabledFontColor);
    v.boolean("stretcheffect", stretchEffect);
    v.boolean("inactivestretcheffect", inActiveStretchEffect);
    v.boolean("dividerstretcheffect", dividerStretchEffect);
    AnimationKeys::fields(v);
    v.boolean("inactiveanimation", inActiveAnimation);
    v.boolean("useimagecolor", useImageColor);
    v.color("imagecolor", imageColor);
    v.color("activeimagecolor", activeImageColor);
    v.boolean("inactivetransparent", inActiveTransparent);
    // The check, radio and arrow images: written too, so that a saved skin
    // keeps them.
    v.rect("checkimagerect", checkImageRect);
    v.rect("activecheckimagerect", activeCheckImageRect);
    v.rect("radioimagerect", radioImageRect);
    v.rect("activeradioimagerect", activeRadioImageRect);
    v.rect("arrowimagerect", arrowImageRect);
    v.rect("activearrowimagerect", activeArrowImageRect);
}

void MainMenuItemKeys::fields(FieldVisitor& v)
{
    v.integer("itemleftoffset", itemLO);
    v.integer("itemrightoffset", itemRO);
    v.rect("downrect", downRect);
    v.rect("textrect", textRct);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("downfontcolor", downFontColor);
    v.color("unenabledfontColor", unEnabledFontColor);
    v.boolean("stretcheffect", stretchEffect);
    AnimationKeys::fields(v);
    v.boolean("inactiveanimation", inActiveAnimation);
}

void CaptionKeys::fields(FieldVisitor& v)
{
    v.rect("textrect", textRct);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.alignment("alignment", alignment);
    v.boolean("light", light);
    v.color("lightcolor", lightColor);
    v.color("activelightcolor", activeLightColor);
    v.boolean("shadow", shadow);
    v.color("shadowcolor", shadowColor);
    v.color("activeshadowcolor", activeShadowColor);
    v.rect("framerect", frameRect);
    v.rect("activeframerect", activeFrameRect);
    v.rect("frametextrect", frameTextRect);
    v.integer("frameleftoffset", frameLeftOffset);
    v.integer("framerightoffset", frameRightOffset);
    v.boolean("stretcheffect", stretchEffect);
    AnimationKeys::fields(v);
    v.boolean("inactiveanimation", inActiveAnimation);
    v.boolean("fullframe", fullFrame);
    v.boolean("vistagloweffect", vistaGlowEffect);
    v.boolean("vistaglowinactiveeffect", vistaGlowInActiveEffect);
    v.boolean("gloweffect", glowEffect);
    v.boolean("glowinactiveeffect", glowInActiveEffect);
    v.integer("glowsize", glowSize, 3, kMaxGlowSize);
    v.color("glowcolor", glowColor);
    v.color("glowactivecolor", glowActiveColor);
    v.integer("glowoffset", glowOffset);
    v.boolean("reflectioneffect", reflectionEffect);
    // These two keys are spelled so in skins.
    v.color("reflactioncolor", reflectionColor);
    v.color("reflactionactivecolor", reflectionActiveColor);
    v.integer("reflectionoffset", reflectionOffset);
    v.rect("dividerrect", dividerRect);
    v.boolean("dividertransparent", dividerTransparent);
    v.color("dividertransparentcolor", dividerTransparentColor);
}

std::unique_ptr<DataSkinObject> createObjectRecord(std::string_view type, std::string idName)
{
    using O = DataSkinObject;
    static constexpr RecordCreator<O> creators[] = {
        {"userobject", makeRecord<O, DataUserObject>},
        {"button", makeRecord<O, DataSkinButton>},
        {"stdbutton", makeRecord<O, DataSkinStdButton>},
        {"mainmenubarbutton", makeRecord<O, DataSkinMainMenuBarButton>},
        {"animate", makeRecord<O, DataSkinAnimate>},
        {"menuitem", makeRecord<O, DataSkinMenuItem>},
        {"mainmenubaritem", makeRecord<O, DataSkinMainMenuBarItem>},
        {"caption", makeRecord<O, DataSkinCaption>},
    };
    return createFromTable(creators, type, std::move(idName));
}

} // namespace tessaly::skin
