// The kind of document the reference host pretends to have open, as the
// palette's document questions see it.
#include "HostAppContext.h"
#include "MPalette.h"

#include <gtest/gtest.h>

namespace
{
struct SAnswers
{
    bool bFullColor;
    bool bGreyscale;
    bool bPalette;
};

SAnswers Ask(CHostAppContext& context)
{
    CErrorAutoThrow error;
    return {context.IsFullColorDocument(error), context.IsGreyscaleDocument(error),
            context.HasDocumentPalette(error)};
}
} // namespace

TEST(HostDocumentTest, EachKindAnswersOneQuestionWithYesAndGivesItsPalette)
{
    CHostMaterials materials;
    CComPtr<CHostAppContext> pContext;
    pContext.Attach(new CHostAppContext(materials));

    // Full colour to start with, and no palette to give.
    SAnswers answers = Ask(*pContext);
    EXPECT_TRUE(answers.bFullColor && !answers.bGreyscale && !answers.bPalette);
    CMPalette palette;
    CErrorAutoThrow error;
    pContext->GetDocumentPalette(error, palette);
    EXPECT_TRUE(error.IsError());

    ASSERT_TRUE(pContext->SetDocument(EHostDocument::Greyscale));
    answers = Ask(*pContext);
    EXPECT_TRUE(!answers.bFullColor && answers.bGreyscale && !answers.bPalette);
    CErrorAutoThrow greyError;
    pContext->GetDocumentPalette(greyError, palette);
    EXPECT_FALSE(greyError.IsError());
    ASSERT_EQ(palette.GetEntryCount(), 256);
    EXPECT_EQ(palette.GetEntry(128), RGB(128, 128, 128));

    ASSERT_TRUE(pContext->SetDocument(EHostDocument::Paletted, 2));
    answers = Ask(*pContext);
    EXPECT_TRUE(!answers.bFullColor && !answers.bGreyscale && answers.bPalette);
    CErrorAutoThrow bwError;
    pContext->GetDocumentPalette(bwError, palette);
    ASSERT_EQ(palette.GetEntryCount(), 2);
    EXPECT_EQ(palette.GetEntry(0), RGB(0, 0, 0));
    EXPECT_EQ(palette.GetEntry(1), RGB(255, 255, 255));

    ASSERT_TRUE(pContext->SetDocument(EHostDocument::Paletted, 16));
    CErrorAutoThrow vgaError;
    pContext->GetDocumentPalette(vgaError, palette);
    EXPECT_EQ(palette.GetEntryCount(), 16);
    EXPECT_EQ(pContext->GetDocumentPaletteSize(), 16);
}

TEST(HostDocumentTest, APaletteOfAnotherSizeIsRefusedAndChangesNothing)
{
    CHostMaterials materials;
    CComPtr<CHostAppContext> pContext;
    pContext.Attach(new CHostAppContext(materials));
    ASSERT_TRUE(pContext->SetDocument(EHostDocument::Paletted, 256));
    EXPECT_FALSE(pContext->SetDocument(EHostDocument::Paletted, 7));
    EXPECT_FALSE(pContext->SetDocument(EHostDocument::Paletted, 0));
    EXPECT_EQ(pContext->GetDocument(), EHostDocument::Paletted);
    EXPECT_EQ(pContext->GetDocumentPaletteSize(), 256);
}
