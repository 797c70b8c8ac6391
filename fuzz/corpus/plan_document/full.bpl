{
  "format": "quorvex-plan",
  "version": 1,
  "title": "Acme business plan",
  "planInfo": {
    "planType": 0,
    "businessKind": 3,
    "newBusiness": true,
    "businessName": "Acme \"Hardware\" & Söhne"
  },
  "profile": {
    "projectedYears": 3,
    "productCount": 4,
    "advertisingMediaCount": 2,
    "segmentCount": 3,
    "marketCount": 5,
    "marketingCounts": [
      0,
      7,
      0,
      0
    ],
    "firstYearDate": "1999-01-01",
    "month": 7,
    "currencyType": 1,
    "analysis": true,
    "analysisTitle": "Financial &Analysis",
    "analysisFileName": "Analysis.vts",
    "exampleKey": "ANAL"
  },
  "submitter": {
    "submittedTo": "First National Bank",
    "submissionDate": "March 3, 2026",
    "address": {
      "name": "Jo Smith",
      "street": "1 Main St.\tSuite 4",
      "city": "Springfield",
      "state": "IL",
      "zip": "62701",
      "telephone": "555-0100",
      "fax": "555-0101"
    }
  },
  "chapters": [
    {
      "name": "Chapter 1",
      "sections": [
        {
          "name": "Section 1",
          "status": 0,
          "key": "0101",
          "textFile": "Ans00001.rtf",
          "tables": [
            {
              "file": "Tbl0101.vts",
              "displayName": "Table 1",
              "hasGraph": true,
              "graphFile": "Tbl0101.vtc",
              "graphTitle": "Graph 1"
            }
          ]
        },
        {
          "name": "Section 3",
          "status": 2,
          "key": "0103",
          "textFile": "Ans00003.rtf",
          "tables": []
        }
      ]
    },
    {
      "name": "Chapter 2",
      "sections": [
        {
          "name": "Section 2",
          "status": 1,
          "key": "0102",
          "textFile": "Ans00002.rtf",
          "tables": [
            {
              "file": "Tbl0102.vts",
              "displayName": "Table 2",
              "hasGraph": false,
              "graphFile": "",
              "graphTitle": ""
            }
          ]
        }
      ]
    }
  ]
}
