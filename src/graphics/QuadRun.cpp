#include "graphics/QuadRun.h"

#include <cstring>

#include "core/ReportLog.h"
#include "graphics/BackEnd.h"
#include "graphics/QuadDraw.h"

cQuadRun::~cQuadRun()
{
    Release();
}

void cQuadRun::Release()
{
    if (m_lpIndexBuffer != nullptr) m_lpIndexBuffer->Release();
    if (m_lpVertexBuffer != nullptr) m_lpVertexBuffer->Release();
    m_lpIndexBuffer = nullptr;
    m_lpVertexBuffer = nullptr;
    m_nQuads = 0;
}

BOOL cQuadRun::Create(const std::vector<D3D9TLVertex>& vertices)
{
    Release();
    const UINT quads = static_cast<UINT>(vertices.size() / 4);
    if (lpDevice == nullptr || quads == 0 || quads > static_cast<UINT>(kMaxQuadsPerRun)) return FALSE;
    if (FAILED(lpDevice->CreateVertexBuffer(quads * kQuadBytes, D3DUSAGE_WRITEONLY, kQuadFVF, D3DPOOL_MANAGED,
                                            &m_lpVertexBuffer, nullptr))) {
        m_lpVertexBuffer = nullptr;
        ReportLog("CreateVertexBuffer Err");
        return FALSE;
    }
    void* pData = nullptr;
    if (FAILED(m_lpVertexBuffer->Lock(0, 0, &pData, 0))) return FALSE;
    std::memcpy(pData, vertices.data(), quads * kQuadBytes);
    m_lpVertexBuffer->Unlock();

    const UINT indices = quads * 4;
    if (FAILED(lpDevice->CreateIndexBuffer(indices * sizeof(WORD), D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                           &m_lpIndexBuffer, nullptr))) {
        m_lpIndexBuffer = nullptr;
        return FALSE;
    }
    if (FAILED(m_lpIndexBuffer->Lock(0, 0, &pData, 0))) return FALSE;
    WORD* pIndices = static_cast<WORD*>(pData);
    for (UINT i = 0; i < indices; ++i) pIndices[i] = static_cast<WORD>(i);
    m_lpIndexBuffer->Unlock();
    m_nQuads = quads;
    return TRUE;
}

BOOL cQuadRun::Draw()
{
    if (lpDevice == nullptr || m_nQuads == 0) return FALSE;
    lpDevice->SetStreamSource(0, m_lpVertexBuffer, 0, sizeof(D3D9TLVertex));
    lpDevice->SetIndices(m_lpIndexBuffer);
    lpDevice->SetFVF(kQuadFVF);
    BOOL bAll = TRUE;
    for (UINT k = 0; k < m_nQuads; ++k) {
        if (FAILED(lpDevice->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 4 * k, 4, 4 * k, 2))) bAll = FALSE;
    }
    return bAll;
}
