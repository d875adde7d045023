#include "skin/data/object_records.h"

#include <utility>

namespace tessaly::skin {

namespace {

void objectFields(DataSkinObject& r, FieldVisitor& v)
{
    v.text("hint", r.hint);
    v.integer("activepictureindex", r.activePictureIndex, -1);
    v.integer("activemaskpictureindex", r.activeMaskPictureIndex, -1);
    v.boolean("skinrectinapicture", r.skinRectInAPicture);
    v.rect("skinrect", r.skinRect);
    v.rect("activeskinrect", r.activeSkinRect);
    v.rect("inactiveskinrect", r.inActiveSkinRect);
    v.boolean("morphing", r.morphing);
    v.morphKind("morphkind", r.morphKind);
    v.integer("glowlayerpictureindex", r.glowLayerPictureIndex, -1);
    v.integer("glowlayermaskpictureindex", r.glowLayerMaskPictureIndex, -1);
    v.integer("glowlayeroffsetx", r.glowLayerOffsetX);
    v.integer("glowlayeroffsety", r.glowLayerOffsetY);
    v.integer("glowlayeralphablendvalue", r.glowLayerAlphaBlendValue, 255);
}

void buttonFields(DataSkinButton& r, FieldVisitor& v)
{
    v.rect("downrect", r.downRect);
    v.rect("disableskinrsect", r.disableSkinRect); // the key is spelled so in skins
    v.integer("alphamaskpictureindex", r.alphaMaskPictureIndex, -1);
    v.integer("alphamaskactivepictureindex", r.alphaMaskActivePictureIndex, -1);
    v.integer("alphamaskinactivepictureindex", r.alphaMaskInActivePictureIndex, -1);
}

void stdButtonFields(DataSkinStdButton& r, FieldVisitor& v)
{
    v.command("command", r.command);
    v.rect("restorerect", r.restoreRect);
    v.rect("restoreactiverect", r.restoreActiveRect);
    v.rect("restoredownrect", r.restoreDownRect);
    v.rect("restoreinactiverect", r.restoreInActiveRect);
    v.text("restorehint", r.restoreHint);
}

void animateFields(DataSkinAnimate& r, FieldVisitor& v)
{
    v.integer("countframes", r.countFrames, 1);
    v.boolean("cycle", r.cycle);
    v.boolean("buttonstyle", r.buttonStyle);
    v.integer("timerinterval", r.timerInterval, 50);
    v.command("command", r.command);
    v.rect("downskinrect", r.downSkinRect);
    v.rect("restorerect", r.restoreRect);
    v.rect("restoreactiverect", r.restoreActiveRect);
    v.rect("restoredownrect", r.restoreDownRect);
    v.rect("restoreinactiverect", r.restoreInActiveRect);
    v.text("restorehint", r.restoreHint);
}

void menuItemFields(DataSkinMenuItem& r, FieldVisitor& v)
{
    v.integer("itemleftoffset", r.itemLO);
    v.integer("itemrightoffset", r.itemRO);
    v.rect("dividerrect", r.dividerRect);
    v.integer("dividerleftoffset", r.dividerLO);
    v.integer("dividerrightoffset", r.dividerRO);
    v.rect("textrect", r.textRct);
    v.rect("imagerect", r.imageRct);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("unenabledfontcolor", r.unEnabledFontColor);
    v.boolean("stretcheffect", r.stretchEffect);
    v.boolean("inactivestretcheffect", r.inActiveStretchEffect);
    v.boolean("dividerstretcheffect", r.dividerStretchEffect);
    v.rect("animateskinrect", r.animateSkinRect);
    v.integer("framecount", r.frameCount);
    v.integer("animateinterval", r.animateInterval, 25);
    v.boolean("inactiveanimation", r.inActiveAnimation);
    v.boolean("useimagecolor", r.useImageColor);
    v.color("imagecolor", r.imageColor);
    v.color("activeimagecolor", r.activeImageColor);
    v.boolean("inactivetransparent", r.inActiveTransparent);
    // The check, radio and arrow images: written too, so that a saved skin
    // keeps them.
    v.rect("checkimagerect", r.checkImageRect);
    v.rect("activecheckimagerect", r.activeCheckImageRect);
    v.rect("radioimagerect", r.radioImageRect);
    v.rect("activeradioimagerect", r.activeRadioImageRect);
    v.rect("arrowimagerect", r.arrowImageRect);
    v.rect("activearrowimagerect", r.activeArrowImageRect);
}

void mainMenuItemFields(DataSkinMainMenuItem& r, FieldVisitor& v)
{
    v.integer("itemleftoffset", r.itemLO);
    v.integer("itemrightoffset", r.itemRO);
    v.rect("downrect", r.downRect);
    v.rect("textrect", r.textRct);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("downfontcolor", r.downFontColor);
    v.color("unenabledfontColor", r.unEnabledFontColor);
    v.boolean("stretcheffect", r.stretchEffect);
    v.rect("animateskinrect", r.animateSkinRect);
    v.integer("framecount", r.frameCount);
    v.integer("animateinterval", r.animateInterval, 25);
    v.boolean("inactiveanimation", r.inActiveAnimation);
}

void captionFields(DataSkinCaption& r, FieldVisitor& v)
{
    v.rect("textrect", r.textRct);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.alignment("alignment", r.alignment);
    v.boolean("light", r.light);
    v.color("lightcolor", r.lightColor);
    v.color("activelightcolor", r.activeLightColor);
    v.boolean("shadow", r.shadow);
    v.color("shadowcolor", r.shadowColor);
    v.color("activeshadowcolor", r.activeShadowColor);
    v.rect("framerect", r.frameRect);
    v.rect("activeframerect", r.activeFrameRect);
    v.rect("frametextrect", r.frameTextRect);
    v.integer("frameleftoffset", r.frameLeftOffset);
    v.integer("framerightoffset", r.frameRightOffset);
    v.boolean("stretcheffect", r.stretchEffect);
    v.rect("animateskinrect", r.animateSkinRect);
    v.integer("framecount", r.frameCount);
    v.integer("animateinterval", r.animateInterval, 25);
    v.boolean("inactiveanimation", r.inActiveAnimation);
    v.boolean("fullframe", r.fullFrame);
    v.boolean("vistagloweffect", r.vistaGlowEffect);
    v.boolean("vistaglowinactiveeffect", r.vistaGlowInActiveEffect);
    v.boolean("gloweffect", r.glowEffect);
    v.boolean("glowinactiveeffect", r.glowInActiveEffect);
    v.integer("glowsize", r.glowSize, 3, kMaxGlowSize);
    v.color("glowcolor", r.glowColor);
    v.color("glowactivecolor", r.glowActiveColor);
    v.integer("glowoffset", r.glowOffset);
    v.boolean("reflectioneffect", r.reflectionEffect);
    // These two keys are spelled so in skins.
    v.color("reflactioncolor", r.reflectionColor);
    v.color("reflactionactivecolor", r.reflectionActiveColor);
    v.integer("reflectionoffset", r.reflectionOffset);
    v.rect("dividerrect", r.dividerRect);
    v.boolean("dividertransparent", r.dividerTransparent);
    v.color("dividertransparentcolor", r.dividerTransparentColor);
}

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

DataSkinObject::DataSkinObject(std::string idName)
    : SkinRecord(std::move(idName))
{
    setDefaults(*this, objectFields);
}

void DataSkinObject::visitFields(FieldVisitor& visitor)
{
    objectFields(*this, visitor);
}

void DataUserObject::visitFields(FieldVisitor& visitor)
{
    visitor.rect("skinrect", skinRect);
}

DataSkinButton::DataSkinButton(std::string idName)
    : DataSkinObject(std::move(idName))
{
    setDefaults(*this, buttonFields);
}

void DataSkinButton::visitFields(FieldVisitor& visitor)
{
    DataSkinObject::visitFields(visitor);
    buttonFields(*this, visitor);
}

DataSkinStdButton::DataSkinStdButton(std::string idName)
    : DataSkinButton(std::move(idName))
{
    setDefaults(*this, stdButtonFields);
}

void DataSkinStdButton::visitFields(FieldVisitor& visitor)
{
    DataSkinButton::visitFields(visitor);
    stdButtonFields(*this, visitor);
}

void DataSkinStdButton::loadFromFile(const SkinDescription& description)
{
    DataSkinButton::loadFromFile(description);
    applyRestoreHintRule(hint, command, restoreHint);
}

DataSkinAnimate::DataSkinAnimate(std::string idName)
    : DataSkinObject(std::move(idName))
{
    setDefaults(*this, animateFields);
}

void DataSkinAnimate::visitFields(FieldVisitor& visitor)
{
    DataSkinObject::visitFields(visitor);
    animateFields(*this, visitor);
}

void DataSkinAnimate::loadFromFile(const SkinDescription& description)
{
    DataSkinObject::loadFromFile(description);
    morphing = false;
    applyRestoreHintRule(hint, command, restoreHint);
}

DataSkinMenuItem::DataSkinMenuItem(std::string idName)
    : DataSkinObject(std::move(idName))
{
    setDefaults(*this, menuItemFields);
}

void DataSkinMenuItem::visitFields(FieldVisitor& visitor)
{
    DataSkinObject::visitFields(visitor);
    menuItemFields(*this, visitor);
}

DataSkinMainMenuItem::DataSkinMainMenuItem(std::string idName)
    : DataSkinObject(std::move(idName))
{
    setDefaults(*this, mainMenuItemFields);
}

void DataSkinMainMenuItem::visitFields(FieldVisitor& visitor)
{
    DataSkinObject::visitFields(visitor);
    mainMenuItemFields(*this, visitor);
}

DataSkinCaption::DataSkinCaption(std::string idName)
    : DataSkinObject(std::move(idName))
{
    setDefaults(*this, captionFields);
}

void DataSkinCaption::visitFields(FieldVisitor& visitor)
{
    DataSkinObject::visitFields(visitor);
    captionFields(*this, visitor);
}

std::unique_ptr<DataSkinObject> createObjectRecord(std::string_view type, std::string idName)
{
    using Factory = std::unique_ptr<DataSkinObject> (*)(std::string);
    static constexpr std::pair<std::string_view, Factory> factories[] = {
        {"userobject", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataUserObject>(std::move(name)); }},
        {"button", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinButton>(std::move(name)); }},
        {"stdbutton", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinStdButton>(std::move(name)); }},
        {"mainmenubarbutton", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinMainMenuBarButton>(std::move(name)); }},
        {"animate", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinAnimate>(std::move(name)); }},
        {"menuitem", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinMenuItem>(std::move(name)); }},
        {"mainmenubaritem", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinMainMenuBarItem>(std::move(name)); }},
        {"caption", [](std::string name) -> std::unique_ptr<DataSkinObject> { return std::make_unique<DataSkinCaption>(std::move(name)); }},
    };
    for (const auto& [name, create] : factories)
        if (name == type)
            return create(std::move(idName));
    return nullptr;
}

} // namespace tessaly::skin
